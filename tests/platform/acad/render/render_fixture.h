// A default drawing with helpers to add layers, blocks, references and entities, and
// to collect what the renderer makes of model space.
#pragma once

#include "dbents.h"
#include "dbmain.h"
#include "dbsymtb.h"
#include "render/render.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

class RenderTest : public ::testing::Test {
protected:
    void SetUp() override {
        db = std::make_unique<AcDbDatabase>();
        acdbHostApplicationServices()->setWorkingDatabase(db.get());
    }
    void TearDown() override {
        acdbHostApplicationServices()->setWorkingDatabase(nullptr);
        db.reset();
    }

    static AcCmColor color(int index) {
        AcCmColor c;
        c.setColorIndex(static_cast<Adesk::UInt16>(index));
        return c;
    }
    static AcCmColor byBlock() {
        AcCmColor c;
        c.setByBlock();
        return c;
    }

    void addLayer(const wchar_t* name, int colorIndex, bool off = false, bool frozen = false) {
        AcDbLayerTable* table = nullptr;
        ASSERT_EQ(db->getLayerTable(table, AcDb::kForWrite), Acad::eOk);
        auto* rec = new AcDbLayerTableRecord;
        rec->setName(name);
        rec->setColor(color(colorIndex));
        rec->setIsOff(off);
        rec->setIsFrozen(frozen);
        ASSERT_EQ(table->add(rec), Acad::eOk);
        rec->close();
        table->close();
    }

    // A block holding the entities (which it takes over), with the base point.
    AcDbObjectId addBlock(const wchar_t* name, const AcGePoint3d& base,
                          std::vector<AcDbEntity*> entities) {
        AcDbBlockTable* table = nullptr;
        EXPECT_EQ(db->getBlockTable(table, AcDb::kForWrite), Acad::eOk);
        auto* btr = new AcDbBlockTableRecord;
        btr->setName(name);
        btr->setOrigin(base);
        AcDbObjectId id;
        EXPECT_EQ(table->add(id, btr), Acad::eOk);
        table->close();
        for (AcDbEntity* e : entities) {
            if (e->layerId().isNull())
                e->setLayer(db->layerZero());
            EXPECT_EQ(btr->appendAcDbEntity(e), Acad::eOk);
            e->close();
        }
        btr->close();
        return id;
    }

    // Adds to model space (on layer 0 unless the entity has a layer) and closes.
    AcDbObjectId add(AcDbEntity* e) {
        if (e->layerId().isNull())
            e->setLayer(db->layerZero());
        AcDbBlockTable* table = nullptr;
        EXPECT_EQ(db->getBlockTable(table, AcDb::kForRead), Acad::eOk);
        AcDbBlockTableRecord* ms = nullptr;
        EXPECT_EQ(table->getAt(ACDB_MODEL_SPACE, ms, AcDb::kForWrite), Acad::eOk);
        table->close();
        AcDbObjectId id;
        EXPECT_EQ(ms->appendAcDbEntity(id, e), Acad::eOk);
        e->close();
        ms->close();
        return id;
    }

    AcDbBlockReference* reference(AcDbObjectId block, const AcGePoint3d& at, double rotation = 0,
                                  const AcGeScale3d& scale = AcGeScale3d(1, 1, 1)) {
        auto* ref = new AcDbBlockReference(at, block);
        ref->setDatabaseDefaults(db.get());
        ref->setRotation(rotation);
        ref->setScaleFactors(scale);
        return ref;
    }

    template <class E> static E* on(E* e, const wchar_t* layer, AcCmColor c = AcCmColor()) {
        e->setLayer(layer);
        e->setColor(c);
        return e;
    }

    kz::render::Scene scene(kz::render::RenderOptions options = {},
                            std::vector<const AcDbEntity*> extras = {}) {
        return kz::render::collectModelSpace(*db, extras, options);
    }

    template <class T> static std::vector<T> itemsOf(const kz::render::Scene& s) {
        std::vector<T> out;
        for (const auto& item : s.items)
            if (const T* t = std::get_if<T>(&item))
                out.push_back(*t);
        return out;
    }

    std::unique_ptr<AcDbDatabase> db;
};

inline void expectNear(kz::svg::Point p, double x, double y, double tol = 1e-9) {
    EXPECT_NEAR(p.x, x, tol) << "x of (" << p.x << ", " << p.y << ")";
    EXPECT_NEAR(p.y, y, tol) << "y of (" << p.x << ", " << p.y << ")";
}
