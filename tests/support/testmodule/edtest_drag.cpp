// TDRAG: the smallest drag loop on the host's drag input: a line from the origin to the
// cursor follows each move (one frame each), a keyword is printed, a pick adds the
// line to the drawing, a cancel drops it.
#include "dbents.h"
#include "dbsymtb.h"
#include "ed/drag_input.h"
#include "edtest.h"

namespace edtest {

void cmdDrag() {
    AcDbLine preview(AcGePoint3d(0, 0, 0), AcGePoint3d(0, 0, 0));
    const std::wstring prompt = L"\nEnd point [Twice]: ";
    for (bool repeat = false;; repeat = true) {
        kz::ed::DragEvent e = kz::ed::nextDragEvent(prompt, repeat);
        switch (e.kind) {
        case kz::ed::DragEventKind::Move:
        case kz::ed::DragEventKind::Pick:
            preview.setEndPoint(e.point);
            kz::ed::showDragFrame({&preview}, e.point);
            if (e.kind == kz::ed::DragEventKind::Move)
                break;
            {
                AcDbBlockTableRecord* space = nullptr;
                AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
                acdbOpenObject(space, db->currentSpaceId(), AcDb::kForWrite);
                auto* line = new AcDbLine(preview.startPoint(), preview.endPoint());
                space->appendAcDbEntity(line);
                line->close();
                space->close();
            }
            acutPrintf(L"drag: line to %g,%g\n", e.point.x, e.point.y);
            return;
        case kz::ed::DragEventKind::Keyword:
            acutPrintf(L"drag: keyword %s\n", e.keyword.c_str());
            break;
        case kz::ed::DragEventKind::Enter:
            acutPrintf(L"drag: Enter\n");
            break;
        case kz::ed::DragEventKind::Cancel:
            acutPrintf(L"drag: cancelled\n");
            return;
        }
    }
}

} // namespace edtest
