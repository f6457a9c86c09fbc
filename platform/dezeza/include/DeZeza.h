// DeZeza: the in-house route library. Route elements are block references drawn by the
// host add-in product; this library reads their data (identifier, root type, route
// kind, connection points, attributes), finds which elements connect, works on route
// groups, and keeps the configuration store. docs/route-data.md describes the data.
//
// No function throws: failures are reported through the results documented here.
#pragma once

#include "afxcoll.h"
#include "dbextents.h"
#include "dbmain.h"
#include "gept3dar.h"
#include "windows.h"

class AcDbBlockReference;

// Layers of the route data: route dimensions ("KZ_DIM") and their text ("KZ_DIMTEXT"),
// the length points ("KZ_LENGTH") and the connection points ("KZ_CONNECT") of route
// element blocks.
extern const CString KZDIM_LAYER;
extern const CString KZDIMTEXT_LAYER;
extern const CString KZLENGTH_LAYER;
extern const CString KZCONECT_LAYER;

// Extended-data application names of the route data.
#define KZ_LINK_APPNAME L"KZ_LINK"
#define KZ_ELEMENT_APPNAME L"KZ_ELEMENT"

// Two connection points at most this far apart (drawing units) join their elements.
constexpr double kDeZezaConnectTolerance = 0.5;

// ---- configuration store ----
//
// The store is the profile (ini) file whose path the caller gives: sections and keys as
// given, values as text, so a user can read and edit them there.

// Reads key of section into value. Returns 0 when the key is in the file (value may be
// empty), 1 when it is not (value emptied), -1 for a null argument.
int DeZeza_readConfig(CString& value, const wchar_t* file, const wchar_t* section,
                      const wchar_t* key);
// Writes value under key of section, creating the file, section and key as needed; the
// rest of the file is kept. Returns 0, or -1 when the file cannot be written or an
// argument is null.
int DeZeza_writeConfig(const wchar_t* section, const wchar_t* key, const wchar_t* value,
                       const wchar_t* file);
// The value of key in section of the profile file; empty when the file or key is missing.
CString DeZeza_GetEnv(const wchar_t* file, const wchar_t* section, const wchar_t* key);

// String id of the module's string table into buffer (size characters, terminated; an
// empty text when the string is missing). Returns the number of characters copied.
int DeZeza_LoadString(HINSTANCE module, UINT id, wchar_t* buffer, int size);

// Splits text at every occurrence of separator into fields (appended): "a||b|" gives
// "a", "", "b", "". An empty or null text gives no field; a null or empty separator
// gives the whole text as one field. trim (may be null) lists characters removed from
// both ends of each field. Returns the number of fields appended.
int DeZeza_GetSplitString(const wchar_t* text, CStringArray& fields, const wchar_t* trim,
                          const wchar_t* separator);

// ---- element data ----

// Size in characters of the identifier buffer of DeZeza_GetIDByBlockName.
constexpr int kDeZezaIdBufferSize = 260;

// The element identifier (first KZ_ELEMENT string of the element's block) into
// identifier (kDeZezaIdBufferSize characters). element is a block reference or a block
// table record. Returns 0 when the block carries KZ_ELEMENT, else 1 with an empty text.
int DeZeza_GetIDByBlockName(AcDbObjectId& element, wchar_t* identifier);
// The root type (second KZ_ELEMENT string, as an integer; 0 when missing). routeKind
// (may be null) receives the route kind (third string, 0 when missing).
int DeZeza_GetRootType(AcDbObjectId element, int* routeKind);

// Appends the element's POINT entities on layer (letter case ignored), in the order of
// the block definition, placed by the reference's block transform, or by xform when it
// is not null (xform maps block coordinates to the coordinates wanted). Returns the
// number of points appended, or -1 when element is no block reference.
int DeZeza_GetConnectPoint(AcDbObjectId& element, AcGePoint3dArray& points, const wchar_t* layer,
                           const AcGeMatrix3d* xform);

// Grows extents to hold the reference's block entities, placed by xform times the
// reference's block transform (xform is applied last; pass the identity for world
// coordinates). flags 0: the reference's attributes count too; 1: they do not.
// Returns 0, or the host's error status (extents unchanged) for a null reference or
// an unreadable block.
int DeZeza_getBlockRefGeomExtents(AcDbBlockReference* ref, AcDbExtents& extents,
                                  const AcGeMatrix3d& xform, int flags);

#include "AttributeData.h"
#include "ReplaceReactor.h"
#include "RootComn.h"
#include "RuleComn.h"
