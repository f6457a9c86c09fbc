// How one line of input is read: numbers, points, handles, drag moves, comments.
#pragma once

#include "dbhandle.h"
#include "gepnt3d.h"

#include <optional>
#include <string>
#include <string_view>

namespace kz::ed {

// Blanks (spaces, tabs, carriage returns) removed at both ends.
std::wstring trimmed(std::wstring_view text);
// "# comment" or "#" alone (after trimming); "#1A3" is not a comment.
bool isCommentLine(std::wstring_view text);
// "*CANCEL*", in any case.
bool isCancelText(std::wstring_view text);

// A decimal number: optional sign, digits with an optional fraction (".5" and "5."
// too), optional exponent. Nothing else, not even blanks.
std::optional<double> parseReal(std::wstring_view text);
// An optional sign and decimal digits, within the range of int.
std::optional<int> parseInteger(std::wstring_view text);

// A point as typed at a point prompt: "x,y" or "x,y,z" (z 0 when left out), "@dx,dy" or
// "@dx,dy,dz" relative to lastPoint, "@" for lastPoint itself, "dist<angle" and
// "@dist<angle" in polar form (angle in degrees counter-clockwise from the x axis).
std::optional<AcGePoint3d> parsePoint(std::wstring_view text, const AcGePoint3d& lastPoint);

// "#1A3": an object named by its handle (hexadecimal, 1 to 16 digits).
std::optional<AcDbHandle> parseHandleRef(std::wstring_view text);

} // namespace kz::ed
