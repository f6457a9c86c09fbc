#pragma once

namespace kz::app {

// kzdim demo [DIR]: the main job on the bundled sample drawing.
int runDemo(int argc, char** argv);

} // namespace kz::app
