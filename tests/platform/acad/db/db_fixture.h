// A fresh default drawing made the working database for each test.
#pragma once

#include "dbmain.h"
#include "dbsymtb.h"

#include <gtest/gtest.h>

#include <memory>

class DbTest : public ::testing::Test {
protected:
    void SetUp() override {
        db = std::make_unique<AcDbDatabase>();
        acdbHostApplicationServices()->setWorkingDatabase(db.get());
    }
    void TearDown() override { db.reset(); }

    // Adds an entity to model space and returns its id (the entity is closed).
    AcDbObjectId addToModelSpace(AcDbEntity* ent) {
        AcDbBlockTable* bt = nullptr;
        EXPECT_EQ(db->getBlockTable(bt, AcDb::kForRead), Acad::eOk);
        AcDbBlockTableRecord* ms = nullptr;
        EXPECT_EQ(bt->getAt(ACDB_MODEL_SPACE, ms, AcDb::kForWrite), Acad::eOk);
        bt->close();
        AcDbObjectId id;
        EXPECT_EQ(ms->appendAcDbEntity(id, ent), Acad::eOk);
        ent->close();
        ms->close();
        return id;
    }

    std::unique_ptr<AcDbDatabase> db;
};
