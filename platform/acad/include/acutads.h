// Utility functions of the host's C-style API.
#pragma once

#include "AdAChar.h"
#include "adsdef.h"

// ---- Geometry on ads_point ----

// The direction of the line from p1 to p2 in the XY plane (z is ignored), in radians
// counter-clockwise from the x axis, 0 <= angle < 2 pi. Equal points give 0.
ads_real acutAngle(const ads_point p1, const ads_point p2);
// The 3D distance between the two points.
ads_real acutDistance(const ads_point p1, const ads_point p2);
// result = pt moved by dist in direction angle (radians) in the XY plane; z is kept.
// result may be pt itself.
void acutPolar(const ads_point pt, ads_real angle, ads_real dist, ads_point result);

// ---- Command-line output, result buffers, string and unit utilities ----
// (declared below this line by their own sources)

// Prints printf-style text (win_format.h rules) on the command line; RTNORM.
int acutPrintf(const ACHAR* format, ...);
// RTNORM when the text matches the wild-card pattern (case counts), RTERROR otherwise:
// '*' any run, '?' one character, '#' a digit, '@' a letter, '.' neither, '[...]' a
// set, '~' negates, ',' separates alternatives, '`' escapes.
int acutWcMatch(const ACHAR* string, const ACHAR* pattern);
