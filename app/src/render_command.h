// kzdim render DRAWING --svg FILE [--dark] [--width PIXELS]
#pragma once

namespace kz::app {

int runRender(int argc, char** argv);

} // namespace kz::app
