// Starting and ending the headless host around one run: the command line connected to
// the host's line input, transcript and input-error hooks (win_host_io.h), a document,
// the applications, and everything put back at the end.
#pragma once

#include "ed/line_source.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class AcDbDatabase;

namespace kz::ed {

// Resets the editor's state (command line, selection sets, command hooks, resource
// handles), connects win_host_io.h to it and sends the transcript to sink (may be
// empty).
void startHost(std::function<void(const std::wstring&)> sink);
// Registers the host's own commands (LIST) on the command stack.
void registerHostCommands();
// Closes the document, unloads every application and disconnects win_host_io.h.
void endHost();

// Loads each module in order (LoadLibraryW rules); the names that failed are returned.
std::vector<std::wstring> loadModules(const std::vector<std::wstring>& paths);

} // namespace kz::ed
