// kzdim convert DRAWING --out FILE
#pragma once

namespace kz::app {

int runConvert(int argc, char** argv);

} // namespace kz::app
