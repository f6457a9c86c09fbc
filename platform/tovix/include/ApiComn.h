// Tovix: the in-house library's common API. Extended-data string lists, entity
// creation, layers, the command line, angle and number conversions and profile reads.
// Every function catches its own failures and reports them through its result; none
// throws. (spedSSLength, the selection-set length, is the editor's: acedads.h.)
#pragma once

#include "adsdef.h"
#include "afxcoll.h"
#include "dbmain.h"
#include "gept3dar.h"
#include "windows.h"

#include <cstdint>

class AcDbRotatedDimension;

// ---- modules ----

// The address of the function that module exports under name; null when the module is
// null or does not export it.
FARPROC ApiComn_GetProcAdrs(HMODULE module, const wchar_t* name);

// ---- string lists in extended data ----
//
// An ordered list of strings kept as the extended data of one registered application.
// Each string is one 1000 group; a string longer than 255 bytes in UTF-8 is kept as
// several 1000 groups between a 1002 "{" and a 1002 "}", so no group exceeds the
// host's limit. Groups of other types are not part of a list and are skipped when
// reading.

// Reads the list of app on the object into list (appended after what it holds; list
// may be null to test for the record only). skip leaves out that many strings at the
// start (0: all of them). Erased objects are read too, so that a reactor told about a
// replaced element can still read its records. Returns 0 when the object has extended
// data of app, 1 when it has none, -1 when the object cannot be opened.
int ApiComn_extractAttributesArrayID(AcDbObjectId id, const wchar_t* app, CStringArray* list,
                                     int skip);

// Writes list as the extended data of app on the object. replace true: the list
// replaces whatever the object held under app; false: the strings are added after the
// present ones. The application is registered in the object's database when needed.
// An empty resulting list removes the object's data of app. Returns 0 on success, else
// the host's error status (the object is left as it was).
int ApiComn_appendAttributesArray(AcDbObjectId id, const wchar_t* app, CStringArray* list,
                                  bool replace);

// ---- entities ----

// Adds a new entity to model space of the working database and closes it; id (may be
// null) receives its id. Returns 0 (Acad::eOk) or the host's error status, in which
// case the entity stays the caller's.
int ApiComn_AddEntity(AcDbEntity* entity, AcDbObjectId* id);

// Puts the entity on the named layer of its database (the working database for a new
// entity), creating the layer with the host's defaults for a new layer (colour 7,
// linetype Continuous) when the drawing has none of that name. Returns 0 or the host's
// error status (an invalid name, a null entity).
int ApiComn_SetLayer(AcDbEntity* entity, const wchar_t* layer);

// The parameter block of ApiComn_CreateDimension: 120 bytes, every byte not named here
// unused. Each field sets one dimension variable of the new dimension:
//   offset  0 double  dimdle   DIMDLE, dimension line extension beyond the extension lines
//   offset  8 double  dimasz   DIMASZ, arrowhead size
//   offset 16 int32   arrow1   DIMBLK1, arrowhead at the first point (position 0-19)
//   offset 20 int32   arrow2   DIMBLK2, arrowhead at the second point (position 0-19)
//   offset 26 byte    separateArrows  DIMSAH: non-zero uses arrow1 and arrow2
//                             (0 sets DIMBLK on both ends from arrow1)
//   offset 32 double  dimgap   DIMGAP, gap between dimension line and text
//   offset 40 double  dimexe   DIMEXE, extension beyond the dimension line
//   offset 48 double  dimexo   DIMEXO, offset of the extension lines from their origins
//   offset 56 int32   dimtad   DIMTAD, vertical text placement (0 centred, 1 above,
//                             2 outside, 3 JIS, 4 below)
//   offset 60 int32   dimjust  DIMJUST, horizontal text placement
//   offset 68 byte    alignedText  non-zero: text along the dimension line (DIMTIH and
//                             DIMTOH off); 0 leaves both as the style has them
//   offset 72 double  dimtxt   DIMTXT, text height
// Arrowhead positions: 0 closed filled (""), 1 "_DOT", 2 "_DOTSMALL", 3 "_DOTBLANK",
// 4 "_ORIGIN", 5 "_ORIGIN2", 6 "_OPEN", 7 "_OPEN90", 8 "_OPEN30", 9 "_CLOSED",
// 10 "_SMALL", 11 "_NONE", 12 "_OBLIQUE", 13 "_BOXFILLED", 14 "_BOXBLANK",
// 15 "_CLOSEDBLANK", 16 "_DATUMFILLED", 17 "_DATUMBLANK", 18 "_INTEGRAL",
// 19 "_ARCHTICK". A position outside 0-19 leaves that arrowhead as the style has it.
struct ApiComnDimParams {
    double dimdle;
    double dimasz;
    std::int32_t arrow1;
    std::int32_t arrow2;
    std::uint8_t unused24[2];
    std::uint8_t separateArrows;
    std::uint8_t unused27[5];
    double dimgap;
    double dimexe;
    double dimexo;
    std::int32_t dimtad;
    std::int32_t dimjust;
    std::uint8_t unused64[4];
    std::uint8_t alignedText;
    std::uint8_t unused69[3];
    double dimtxt;
    std::uint8_t unused80[40];
};
static_assert(sizeof(ApiComnDimParams) == 120);

// The standard arrowhead block name of a position 0-19 ("" is closed filled); null for
// any other position.
const wchar_t* ApiComn_ArrowBlockName(int position);

// Makes a new rotated dimension that is in no database and sets *dimension to it (the
// caller owns it). Its extension lines start at points[0] and points[1], its dimension
// line passes through points[2] (the origin when the array holds two points), and its
// rotation is the direction from points[0] to points[1], so it measures their distance.
// params (may be null: no variable is set) is the 120-byte block above. A dimension is
// always delivered; the result is 0, or -1 when the array held fewer than two points
// (the missing ones are the origin) or dimension was null (nothing made).
int ApiComn_CreateDimension(AcDbRotatedDimension** dimension, const AcGePoint3dArray& points,
                            const void* params);

// ---- command line ----

// Queues text on the current document's command line as one line of input (an Enter
// follows it), after any text queued before, through the document manager's
// sendStringToExecute. The three flags are that call's activate, wrapUpInactiveDoc
// and echoString. Returns 0, or -1 when there is no current document or no text.
int ApiComn_sendCommand(const wchar_t* text, int activate, int wrapUpInactiveDoc, int echoString);

// ---- numbers ----

// Radians to degrees and degrees to radians; no reduction to a range.
double ApiComn_ConvToAngle(double radians);
double ApiComn_ConvToRadian(double degrees);
// The number the text starts with (leading blanks skipped, '.' as decimal point
// whatever the locale, exponent allowed), 0.0 when it starts with none or is null.
double ApiComn_atof(const wchar_t* text);

// ---- profile files ----

// Reads key in section of the profile file into value, whole. Returns 0 when the key
// exists (its value may be empty), 1 when it or the file does not (value emptied).
int ApiComn_GetProfileString(CString& value, const wchar_t* file, const wchar_t* section,
                             const wchar_t* key);

// Size in characters of the buffer ApiComn_GetEnv fills.
constexpr int kApiComnEnvBufferSize = 512;

// Reads key in section of the profile file into buffer (kApiComnEnvBufferSize
// characters; a longer value is cut). kind 0: the text as it stands; kind 1: a folder
// path, with trailing separators removed and a relative path taken relative to the
// folder of the profile file. Returns 0 when the key exists, else 1 with an empty
// buffer.
int ApiComn_GetEnv(wchar_t* buffer, int kind, const wchar_t* file, const wchar_t* section,
                   const wchar_t* key);
