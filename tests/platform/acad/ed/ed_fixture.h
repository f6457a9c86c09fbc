// A host with a new drawing and a script given as text, for tests that drive the
// input functions in-process.
#pragma once

#include "dbents.h"
#include "dbmain.h"
#include "dbsymtb.h"
#include "ed/command_line.h"
#include "ed/document_host.h"
#include "ed/host_session.h"
#include "win_resource.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

class EditorTest : public ::testing::Test {
protected:
    void SetUp() override {
        kz::setHostUiLanguage(1033);
        kz::ed::startHost({});
        kz::ed::openDocument(std::make_unique<AcDbDatabase>(), L"");
    }
    void TearDown() override {
        kz::ed::endHost();
        kz::setHostUiLanguage(1041);
    }

    kz::ed::CommandLine& line() { return kz::ed::CommandLine::get(); }
    AcDbDatabase* db() { return kz::ed::documentDatabase(); }
    const std::wstring& transcript() { return line().transcript().text(); }

    // The script that answers the prompts from now on.
    void script(const std::wstring& text, bool interactive = false) {
        line().setSource(std::make_unique<Script>(text, interactive));
    }

    // Appends the entity to model space and returns its id.
    AcDbObjectId add(AcDbEntity* entity) {
        AcDbBlockTableRecord* space = nullptr;
        acdbOpenObject(space, db()->currentSpaceId(), AcDb::kForWrite);
        AcDbObjectId id;
        space->appendAcDbEntity(id, entity);
        entity->close();
        space->close();
        return id;
    }
    AcDbObjectId addLine(double x0, double y0, double x1, double y1) {
        return add(new AcDbLine(AcGePoint3d(x0, y0, 0), AcGePoint3d(x1, y1, 0)));
    }

public:
    static std::wstring hexOf(AcDbObjectId id) { return hex(id); }

protected:
    static std::wstring hex(AcDbObjectId id) {
        wchar_t buf[17];
        id.handle().getIntoAsciiBuffer(buf, 17);
        return buf;
    }

private:
    class Script : public kz::ed::ScriptSource {
    public:
        Script(const std::wstring& text, bool interactive)
            : ScriptSource(L"test.scr", text), m_interactive(interactive) {}
        bool interactive() const override { return m_interactive; }

    private:
        bool m_interactive;
    };
};
