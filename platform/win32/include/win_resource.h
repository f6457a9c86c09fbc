// Module resources: string tables, dialog templates, bitmaps and version blocks compiled
// from a resource script by the build-time resource compiler (tools/rc), and the Windows
// functions that find them through a module handle.
//
// A module carries its resources as one exported constant, `kzResourceTable` (see
// kz_add_resources in cmake/KzResources.cmake); the module loader stores its address in
// the module's record, and every function here reaches the table through that record.
#pragma once

#include "win_types.h"

#include <optional>
#include <string_view>
#include <vector>

#ifndef RT_BITMAP
#define RT_BITMAP MAKEINTRESOURCEW(2)
#define RT_DIALOG MAKEINTRESOURCEW(5)
#define RT_STRING MAKEINTRESOURCEW(6)
#define RT_RCDATA MAKEINTRESOURCEW(10)
#define RT_VERSION MAKEINTRESOURCEW(16)
#endif

#ifndef MAKELANGID
#define MAKELANGID(p, s) ((((WORD)(s)) << 10) | (WORD)(p))
#define PRIMARYLANGID(lgid) ((WORD)(lgid)&0x3ff)
#define SUBLANGID(lgid) ((WORD)(lgid) >> 10)
#endif
#ifndef LANG_NEUTRAL
#define LANG_NEUTRAL 0x00
#define LANG_ENGLISH 0x09
#define LANG_JAPANESE 0x11
#define SUBLANG_NEUTRAL 0x00
#define SUBLANG_DEFAULT 0x01
#endif

namespace kz {

// One resource of a module. HRSRC handles point at these.
struct ResourceEntry {
    WORD type;       // RT_* ordinal
    WORD id;         // resource ordinal; for RT_STRING the block number (string id / 16 + 1)
    LANGID language; // MAKELANGID(primary, sub); 0 = neutral
    // RT_STRING: 16 counted strings, each a length in wchar_t followed by that many
    //            characters (no terminator), as Windows lays out a string block.
    // RT_DIALOG: a kz::DialogTemplate.
    // RT_BITMAP: the bitmap file without its 14-byte file header (BITMAPINFOHEADER,
    //            colour table, pixels), as Windows keeps a bitmap resource.
    // RT_VERSION: a VS_VERSIONINFO block.
    const void* data;
    DWORD size; // bytes
};

// One string of a string table, for callers that want the whole table.
struct StringResource {
    WORD id;
    LANGID language;
    const wchar_t* text; // zero-terminated; may also hold embedded zeros up to length
    UINT length;
};

// One control of a dialog template, in dialog units.
struct DialogControl {
    int id = 0;                     // -1 for IDC_STATIC
    const wchar_t* className = L""; // "Button", "Edit", "Static", "ComboBox", "ListBox",
                                    // "ScrollBar" or a registered class name
    const wchar_t* text = L"";      // label; "" when the control has none
    WORD imageId = 0;               // bitmap or icon ordinal a picture control shows, else 0
    short x = 0, y = 0, cx = 0, cy = 0;
    DWORD style = 0; // complete window style, WS_CHILD and WS_VISIBLE included when set
    DWORD exStyle = 0;
    DWORD helpId = 0;
    bool visible = false; // WS_VISIBLE is set
    bool tabStop = false; // WS_TABSTOP is set
    // Strings a combo box or list box is filled with when the dialog is created, in order.
    const wchar_t* const* listItems = nullptr;
    UINT listCount = 0;
};

// A dialog template. Controls are in template order, which is the tab order.
struct DialogTemplate {
    WORD id = 0;
    LANGID language = 0;
    bool extended = false; // DIALOGEX rather than DIALOG
    DWORD style = 0;       // DS_SETFONT is set when a font is given, WS_CAPTION with a caption
    DWORD exStyle = 0;
    DWORD helpId = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    const wchar_t* caption = L"";  // "" when none
    const wchar_t* fontFace = L""; // "" when the template names no font
    WORD fontPointSize = 0;
    WORD fontWeight = 0;
    BYTE fontItalic = 0;
    BYTE fontCharset = 0;
    const DialogControl* controls = nullptr;
    UINT controlCount = 0;
};

// Layout version of the structures above; a table with another version is ignored.
inline constexpr DWORD kResourceTableVersion = 1;

// Everything a module's resource script compiled to. Entries are sorted by type, id
// and language.
struct ResourceTable {
    DWORD version;
    const ResourceEntry* entries;
    UINT entryCount;
    const StringResource* strings; // sorted by language, then id
    UINT stringCount;
    const DialogTemplate* dialogs;
    UINT dialogCount;
};

// The table of a module handle (a kz::ModuleRecord), or null when it has none.
const ResourceTable* moduleResources(HINSTANCE module);

// The dialog template a dialog class creates its window from: the template's id or
// name (MAKEINTRESOURCE(id) or "#id"), looked up like FindResourceW(module, name,
// RT_DIALOG). Null when the module has no such dialog.
const DialogTemplate* findDialogTemplate(HINSTANCE module, UINT id);
const DialogTemplate* findDialogTemplate(HINSTANCE module, LPCWSTR name);
// The first control with that id, or null.
const DialogControl* findDialogControl(const DialogTemplate& dialog, int id);

// A bitmap resource as the bytes of a DIB (header, colour table, pixels); empty when
// the module has no such bitmap.
struct BitmapBits {
    const BYTE* data = nullptr;
    DWORD size = 0;
    LONG width = 0;
    LONG height = 0; // positive: rows stored bottom-up
    WORD bitCount = 0;
};
BitmapBits findBitmap(HINSTANCE module, UINT id);

// The host's user-interface language: the language of the version resource of the
// built-in "ntdll.dll" and the language FindResourceW prefers after LANG_NEUTRAL.
// Japanese (1041) until set.
LANGID hostUiLanguage();
void setHostUiLanguage(LANGID language);

// Resources of a built-in system module by base name (compared ignoring case), null for
// other names. "ntdll.dll" has one version resource (RT_VERSION, name 1) in the host's
// user-interface language. The loader attaches this table to the built-in module's
// record; the table follows later changes of the language.
const ResourceTable* builtinModuleResources(std::wstring_view baseName);

// For tests of unusual installations: give the version resource of "ntdll.dll" exactly
// these languages (an empty list: no version resource at all). std::nullopt returns to
// one resource in hostUiLanguage().
void overrideSystemVersionLanguages(std::optional<std::vector<LANGID>> languages);

} // namespace kz

using ENUMRESLANGPROCW = BOOL(CALLBACK*)(HMODULE module, LPCWSTR type, LPCWSTR name, WORD language,
                                         LONG_PTR param);

// Copies string `id` of the module's string table into buffer, at most bufferMax - 1
// characters, and terminates it; returns the number of characters copied (0 when the
// string is missing or empty). With bufferMax 0, buffer receives a read-only pointer to
// the string inside the resource (not terminated) and the result is its full length.
int LoadStringW(HINSTANCE module, UINT id, LPWSTR buffer, int bufferMax);

// Finds a resource by name and type (MAKEINTRESOURCE ordinals or "#123" texts). The
// language is LANG_NEUTRAL if present, else hostUiLanguage(), else the first one.
HRSRC FindResourceW(HMODULE module, LPCWSTR name, LPCWSTR type);
// Same, in one language; LANG_NEUTRAL chooses as FindResourceW does.
HRSRC FindResourceExW(HMODULE module, LPCWSTR type, LPCWSTR name, WORD language);
HGLOBAL LoadResource(HMODULE module, HRSRC resource);
LPVOID LockResource(HGLOBAL data);
DWORD SizeofResource(HMODULE module, HRSRC resource);
// Resources live as long as their module; there is nothing to free.
BOOL FreeResource(HGLOBAL data);
// Calls proc once per language in which the module holds the resource, in ascending
// language order, until proc returns FALSE. Returns FALSE when the module has no such
// resource or proc stopped the enumeration, TRUE otherwise.
BOOL EnumResourceLanguagesW(HMODULE module, LPCWSTR type, LPCWSTR name, ENUMRESLANGPROCW proc,
                            LONG_PTR param);

#ifndef LoadString
#define LoadString LoadStringW
#define FindResource FindResourceW
#define FindResourceEx FindResourceExW
#define EnumResourceLanguages EnumResourceLanguagesW
#endif
