// The rule of the length popup's text: how what the user typed changes a route length.
#pragma once

#include <afxstr.h>

// "<n" adds n to the value (side 1), ">n" adds n (side 0), a plain number replaces it
// (side 1 when positive, else 0); numbers are read as atof reads them (none is 0).
// Full-width characters (an input method left on) count as their ASCII forms. False when
// the text is refused, and then nothing changes: "<" or ">" not first, or a result that
// is not finite ("1e999", "nan").
bool ApplyLengthText(const CString& text, double& value, int& sideFlag);
