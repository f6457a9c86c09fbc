// kzdim audit DRAWING [--fix --out FILE]
#pragma once

namespace kz::app {

// Exit status: 0 no errors, 1 errors left (or the drawing could not be read or saved),
// 3 errors found and every one fixed in the saved drawing, 2 bad arguments.
int runAudit(int argc, char** argv);

} // namespace kz::app
