// Splitting and joining paths as the Microsoft C runtime does. Both '\' and '/' are
// separators, so the module's Windows-style paths and this platform's paths work.
#pragma once

#include "win_wstring.h"

#define _MAX_PATH 260
#define _MAX_DRIVE 3
#define _MAX_DIR 256
#define _MAX_FNAME 256
#define _MAX_EXT 256

// Splits "D:\App\KzDim.arx" into "D:", "\App\", "KzDim" and ".arx": the drive is the
// first two characters when the second is ':'; the directory runs to the last
// separator (included); the extension starts at the last '.' of the file name. Any
// output may be null. A component longer than its buffer (_MAX_* for _wsplitpath)
// empties every output; _wsplitpath_s then returns ERANGE (EINVAL for a null path or
// a buffer that is null with a size or sized 0 without being null).
void _wsplitpath(const wchar_t* path, wchar_t* drive, wchar_t* dir, wchar_t* fname, wchar_t* ext);
errno_t _wsplitpath_s(const wchar_t* path, wchar_t* drive, std::size_t driveSize, wchar_t* dir,
                      std::size_t dirSize, wchar_t* fname, std::size_t fnameSize, wchar_t* ext,
                      std::size_t extSize);

// Joins the parts: "X" or "X:" gives "X:"; a directory without a final separator gets
// one (the kind it already uses, '\' when it has none); an extension without '.' gets
// one. _wmakepath assumes _MAX_PATH characters; _wmakepath_s returns ERANGE (and an
// empty path) when the result does not fit.
void _wmakepath(wchar_t* path, const wchar_t* drive, const wchar_t* dir, const wchar_t* fname,
                const wchar_t* ext);
errno_t _wmakepath_s(wchar_t* path, std::size_t size, const wchar_t* drive, const wchar_t* dir,
                     const wchar_t* fname, const wchar_t* ext);
