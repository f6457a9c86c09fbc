// The host's line input and transcript, shared by everything that talks to the user:
// the command line, dialogs and message boxes. The headless host installs the real
// implementations (a script file, a terminal); until then nothing is read and nothing
// is shown.
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace kz {

// The next input line for a dialog or a message box. The prompt names what is waiting
// for input (for example L"Dialog 200: "); the installed reader shows it and echoes the
// line it takes, so a transcript reads like the screen would. Returns nullopt when no
// input is left (end of the script, end of the terminal): the caller then behaves as if
// the user cancelled. The line has no line terminator.
std::optional<std::wstring> hostReadLine(const std::wstring& prompt);

// Writes text to the transcript exactly as given; callers end lines with L"\n".
void hostWrite(const std::wstring& text);

// Input that a dialog could not use ("99=abc" for a control that does not exist):
// stops a script run at the line last read, with "file:line: message" as the run's
// error; at a terminal it is only shown. Until a host installs its handler the message
// is written to the transcript.
void hostInputError(const std::wstring& message);

// Named settings the host was started with (kzdim command-line options), for the
// libraries that need them. kHostIniFileSetting: the host add-in's ini file
// (`kzdim --ini FILE`), as a full path. nullopt when not given.
inline constexpr const wchar_t* kHostIniFileSetting = L"ini";
std::optional<std::wstring> hostSetting(const std::wstring& name);
// An empty value removes the setting.
void setHostSetting(const std::wstring& name, const std::wstring& value);

using HostLineReader = std::function<std::optional<std::wstring>(const std::wstring& prompt)>;
using HostTextWriter = std::function<void(const std::wstring& text)>;

// Install the implementations; an empty function restores the default (reads nothing,
// shows nothing). Each returns the one it replaces, so a test can put it back.
HostLineReader setHostLineReader(HostLineReader reader);
HostTextWriter setHostTextWriter(HostTextWriter writer);
using HostInputErrorHandler = std::function<void(const std::wstring& message)>;
HostInputErrorHandler setHostInputErrorHandler(HostInputErrorHandler handler);

} // namespace kz
