#include "audit_command.h"

#include "db/audit.h"
#include "dbmain.h"
#include "dxf/drawing_io.h"

#include <cstdio>
#include <string>

namespace kz::app {

int runAudit(int argc, char** argv) {
    std::string input, output;
    bool fix = false;
    for (int i = 0; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--out" && i + 1 < argc) {
            output = argv[++i];
        } else if (a == "--fix") {
            fix = true;
        } else if (!a.empty() && a[0] == '-') {
            std::fprintf(stderr, "kzdim audit: unknown option '%s'\n", a.c_str());
            return 2;
        } else if (input.empty()) {
            input = a;
        } else {
            std::fprintf(stderr, "kzdim audit: more than one drawing given ('%s')\n", a.c_str());
            return 2;
        }
    }
    if (input.empty() || (fix && output.empty())) {
        // The drawing audited is never written over: repairs go to --out.
        std::fprintf(stderr, "usage: kzdim audit DRAWING [--fix --out FILE]\n");
        return 2;
    }
    AcDbDatabase db(false);
    acdbHostApplicationServices()->setWorkingDatabase(&db);
    int status = 1;
    DrawingReadResult r = readDrawing(input, db);
    for (const std::string& w : r.warnings)
        std::fprintf(stderr, "kzdim: warning: %s\n", w.c_str());
    if (!r.ok) {
        std::fprintf(stderr, "kzdim: %s\n", r.error.c_str());
    } else {
        std::vector<AuditFinding> findings = auditDrawing(db, r.duplicateHandles, fix);
        int fixed = 0;
        for (const AuditFinding& f : findings) {
            std::printf("%s\n", describeFinding(f).c_str());
            fixed += f.fixed ? 1 : 0;
        }
        std::printf("%s: %zu error(s) found, %d fixed\n", input.c_str(), findings.size(), fixed);
        status = findings.empty() ? 0 : (fix && fixed == static_cast<int>(findings.size())) ? 3 : 1;
        std::string error;
        if (!output.empty() && !writeDrawing(db, output, error)) {
            std::fprintf(stderr, "kzdim: %s\n", error.c_str());
            status = 1;
        }
    }
    acdbHostApplicationServices()->setWorkingDatabase(nullptr);
    return status;
}

} // namespace kz::app
