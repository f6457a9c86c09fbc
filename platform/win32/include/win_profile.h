// Initialization (ini) files as Windows reads and writes them, on real files.
//
// Reading: the encoding is detected per file: a UTF-8, UTF-16LE or UTF-16BE byte order
// mark; else UTF-8 when the bytes are valid UTF-8; else Shift-JIS (code page 932, the
// ANSI code page of Japanese Windows). Section and key names are compared ignoring
// ASCII case only (other characters, Japanese and full-width ones among them, must be
// equal) and without surrounding white space. A key line is "name=value"; the value is
// trimmed, and a pair of matching quotes (' or ") around it is removed. Lines starting
// with ';' are comments. Only the first section of a name and the first key of a name
// in it count. A damaged file (binary junk, NUL bytes, very long lines) is read as far
// as it makes sense; nothing makes these functions fail for what a file holds.
//
// Writing keeps every other line byte for byte (comments, blank lines, other sections
// and keys, their spacing), the file's encoding and its line endings, and replaces the
// file atomically (a temporary file beside it, then a rename). A new file is written in
// UTF-8 without byte order mark and with CRLF line endings: Windows would write the ANSI
// code page, which cannot hold every text; UTF-8 is the encoding of every text file of
// this platform, the reader recognises it without a mark, and a mark would be an odd
// first "character" of the first section for the Linux tools that read these files.
// CRLF keeps a file readable by Windows programs. A text the file's encoding cannot
// hold (an emoji in a Shift-JIS file) is refused with ERROR_NO_UNICODE_TRANSLATION
// rather than written as '?'. Section, key or value with a line break, a key with '='
// and a section with ']' are refused with ERROR_INVALID_PARAMETER: they would change
// the file's structure.
//
// File names may use '\' or '/'; a drive letter is ignored; a relative name is relative
// to the current directory.
#pragma once

#include "win_types.h"

// Copies the value of key in section into buffer (at most size-1 characters, always
// terminated) and returns the number of characters copied. A missing key gives the
// default (null: "") with its trailing blanks removed. When the value does not fit, it
// is cut and the result is size-1.
// section null: the names of all sections; key null: the names of all keys of the
// section (its default when it has none); each name terminated, the list ended by a
// second terminator; the result counts the characters before that second terminator.
// When the list does not fit, the last name is cut, two terminators follow it and the
// result is size-2.
// A missing file reads as an empty one (GetLastError: ERROR_FILE_NOT_FOUND).
DWORD GetPrivateProfileStringW(LPCWSTR section, LPCWSTR key, LPCWSTR defaultValue, LPWSTR buffer,
                               DWORD size, LPCWSTR fileName);
// Writes key=value in section, creating the file, the section and the key as needed.
// value null deletes the key; key null deletes the section with all its lines.
// Returns FALSE with GetLastError set when the file cannot be written.
BOOL WritePrivateProfileStringW(LPCWSTR section, LPCWSTR key, LPCWSTR value, LPCWSTR fileName);
// The value read as an integer: white space, sign, decimal digits or "0x" and hex
// digits, up to the first character that does not belong (32 bits, wrapping as Windows
// does; a negative value comes back as its two's complement). A missing or empty value
// gives the default; a value without digits gives 0.
UINT GetPrivateProfileIntW(LPCWSTR section, LPCWSTR key, INT defaultValue, LPCWSTR fileName);

#define GetPrivateProfileString GetPrivateProfileStringW
#define WritePrivateProfileString WritePrivateProfileStringW
#define GetPrivateProfileInt GetPrivateProfileIntW
