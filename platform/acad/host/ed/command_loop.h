// The command loop: reads command names at the command prompt and runs each command to
// its end, like the host's command line.
//
// At the command prompt a name runs that command (case is ignored; leading "_" and "."
// are allowed); Enter repeats the last command; "*CANCEL*" clears the pick-first set;
// a point, "W"/"C" with two points or "#HANDLE" selects objects into the pick-first
// set. An unknown name gets the host's answer (and stops a script).
#pragma once

#include <functional>
#include <string>

class AcEdCommand;

namespace kz::ed {

// Runs commands until the input ends or the run stops. True unless it stopped on an
// error (CommandLine::error()).
bool runCommandLoop();

// Runs the command now, as if its name had been typed.
void runCommand(const AcEdCommand& command);

// Hooks called around every command: before its handler starts and after it ended.
// The name is the command's global name. Hooks may add and remove hooks.
using CommandHook = std::function<void(const std::wstring& globalName)>;
int addBeforeCommandHook(CommandHook hook);
int addAfterCommandHook(CommandHook hook);
void removeCommandHook(int id);
void clearCommandHooks();

// The name a typed command stands for: leading "_", "." and "'" removed.
std::wstring commandNameOf(const std::wstring& typed);

} // namespace kz::ed
