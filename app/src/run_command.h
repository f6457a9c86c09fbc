// kzdim run DRAWING [--script FILE] [options]: runs a script on the command line.
#pragma once

namespace kz::app {

int runRun(int argc, char** argv);

} // namespace kz::app
