// kzdim shell DRAWING [options]: the command line typed at a terminal, with line
// editing and history (GNU readline).
#pragma once

namespace kz::app {

int runShell(int argc, char** argv);

} // namespace kz::app
