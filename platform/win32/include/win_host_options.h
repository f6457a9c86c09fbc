// What the host (the kzdim command, the tests) sets to play the machine the module
// runs on: languages, Windows version, cursor, registry, and where message boxes and
// GDI drawing go. The defaults are a Japanese Windows 10.
#pragma once

#include "win_gdi.h"
#include "win_registry.h"
#include "win_types.h"
#include "win_user.h"

#include <functional>
#include <string_view>

namespace kz {

// GetUserDefaultUILanguage / GetUserDefaultLangID; default 1041 (Japanese). The
// user-interface language is also the one resources are preferred in and, unless
// overridden (win_resource.h), the language of the version resource of "ntdll.dll"
// (setUserUiLanguage is setHostUiLanguage).
void setUserUiLanguage(LANGID language);
void setUserDefaultLangId(LANGID language);
// GetVersionExW; default platform 2 (VER_PLATFORM_WIN32_NT), 10.0, build 19045.
void setOsVersion(DWORD platformId, DWORD major, DWORD minor, DWORD build = 19045);
// GetCursorPos, in screen pixels; default (0, 0).
void setCursorPos(LONG x, LONG y);
// What ImmReleaseContext of the built-in "imm32.dll" returns; default 0.
void setImmReleaseContextResult(BOOL result);

// What GetObjectW gives for DEFAULT_GUI_FONT; default "Default GUI", 12 pixels.
void setDefaultGuiFont(const LOGFONTW& font);

// Registry contents, under HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE or another predefined
// key; the key and every key above it come into being. An empty value name is the
// key's default value.
void setRegistryString(HKEY root, std::wstring_view keyPath, std::wstring_view valueName,
                       std::wstring_view value);
void setRegistryDword(HKEY root, std::wstring_view keyPath, std::wstring_view valueName,
                      DWORD value);
void clearRegistry();

// Where MessageBoxW goes: the sink records the box (for example into the transcript,
// with describeMessageBox) and returns the answer. Without one, boxes are printed to
// standard error and answered with their default button (IDOK for MB_OK).
using MessageBoxSink = std::function<int(const MessageBoxRecord&)>;
// Where GDI calls go (the host's transcript and preview); without one they are dropped.
using GdiSink = std::function<void(const GdiRecord&)>;
// Each returns the sink it replaces, so that a caller can put it back; an empty
// function restores the default.
MessageBoxSink setMessageBoxSink(MessageBoxSink sink);
GdiSink setGdiSink(GdiSink sink);

// Every option back to its default: languages, version, cursor, imm32 result, GUI
// font, an empty registry, the default sinks.
void resetHostOptions();

} // namespace kz
