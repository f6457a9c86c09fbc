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

using HostLineReader = std::function<std::optional<std::wstring>(const std::wstring& prompt)>;
using HostTextWriter = std::function<void(const std::wstring& text)>;

// Install the implementations; an empty function restores the default (reads nothing,
// shows nothing). Each returns the one it replaces, so a test can put it back.
HostLineReader setHostLineReader(HostLineReader reader);
HostTextWriter setHostTextWriter(HostTextWriter writer);

} // namespace kz
