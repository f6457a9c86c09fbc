// A host with a new drawing and a script given as text; the callbacks log what the
// drag hands them into the Log given as the drag's user pointer.
#pragma once

#include "Drag.h"
#include "adscodes.h"
#include "dbents.h"
#include "dbsymtb.h"
#include "ed/command_line.h"
#include "ed/document_host.h"
#include "ed/host_session.h"
#include "win_format.h"
#include "win_resource.h"

#include <gtest/gtest.h>

using Events = std::vector<std::wstring>;

inline std::wstring pointText(const AcGePoint3d& p) {
    return kz::formatWide(L"%g,%g", p.x, p.y);
}

inline AcDbObjectId addToDrawing(AcDbEntity* entity) {
    AcDbBlockTableRecord* space = nullptr;
    acdbOpenObject(space, kz::ed::documentDatabase()->currentSpaceId(), AcDb::kForWrite);
    AcDbObjectId id;
    space->appendAcDbEntity(id, entity);
    entity->close();
    space->close();
    return id;
}

class DragTest : public ::testing::Test {
protected:
    struct Log {
        Events events;
        CDrag* drag = nullptr;
        bool recordsOk = true;    // every record carried this log and its drag
        bool commitFirst = false; // the end callback adds entity 0 to the drawing
    };
    static Log& note(dragdata* d, const std::wstring& event) {
        Log& log = *static_cast<Log*>(d->user);
        log.recordsOk = log.recordsOk && d->drag == log.drag;
        log.events.push_back(event);
        return log;
    }
    static int onSample(dragdata* d) { return note(d, L"sample " + pointText(d->point)), 1; }
    static int onStop(dragdata* d) { return note(d, L"stop"), 0; }
    static int onOption(dragdata* d) { return note(d, L"option " + std::wstring(d->keyword)), 1; }
    static void onBegin(dragdata* d) { note(d, L"begin"); }
    static void onFinish(dragdata* d) { note(d, L"finish"); }
    static int onEnd(dragdata* d) {
        if (note(d, L"end " + pointText(d->point)).commitFirst)
            addToDrawing(d->drag->At(0, nullptr, nullptr));
        return 0;
    }

    void SetUp() override {
        kz::setHostUiLanguage(1033);
        kz::ed::startHost({});
        kz::ed::openDocument(std::make_unique<AcDbDatabase>(), L"");
    }
    void TearDown() override {
        drag.RemoveAll(1);
        kz::ed::endHost();
        kz::setHostUiLanguage(1041);
    }

    const std::wstring& transcript() { return kz::ed::CommandLine::get().transcript().text(); }
    void script(const std::wstring& text) {
        kz::ed::CommandLine::get().setSource(
            std::make_unique<kz::ed::ScriptSource>(L"test.scr", text));
    }
    // Runs the drag over the script with every callback logging.
    int run(const std::wstring& text) {
        script(text);
        wchar_t prompt[] = L"Place:";
        return drag.Dynamic(prompt, onEnd, onStop, onSample, onBegin, &log, onFinish, true, 0.0,
                            1.0, 1.0, 1.0);
    }
    static AcDbLine* lineAt(double x) { return new AcDbLine({x, 0, 0}, {x, 1, 0}); }

    CDrag drag{0};
    Log log{{}, &drag};
};
