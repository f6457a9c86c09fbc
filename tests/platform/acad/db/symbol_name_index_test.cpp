// Name lookups and anonymous block numbering go through an index; after any mix of
// adds, renames, erases, duplicates appended as a damaged file has them and blocks
// numbered by the table, they must answer what a walk of the table in order answers.
#include "db_fixture.h"

#include "db/database_impl.h"

#include <cwchar>
#include <cwctype>
#include <random>
#include <string>
#include <vector>

namespace {

// The first live block record of that name in table order, letter case ignored.
AcDbObjectId walkLookup(const AcDbSymbolTable* table, const std::wstring& name) {
    for (const AcDbObjectId& id : table->kzRecords()) {
        AcDbStub* s = id.stub();
        auto* rec = s && s->object ? AcDbSymbolTableRecord::cast(s->object.get()) : nullptr;
        if (rec && !s->erased && kz::compareSymbolNames(rec->name(), name) == 0)
            return id;
    }
    return {};
}

// One more than the largest n of "*Un" in the table, erased records included.
long walkNextAnonymous(const AcDbSymbolTable* table) {
    long next = 0;
    for (const AcDbObjectId& id : table->kzRecords()) {
        AcDbStub* s = id.stub();
        auto* rec = s && s->object ? AcDbSymbolTableRecord::cast(s->object.get()) : nullptr;
        if (!rec || rec->name().size() < 3 || rec->name()[0] != L'*' ||
            std::towupper(static_cast<wint_t>(rec->name()[1])) != L'U')
            continue;
        wchar_t* end = nullptr;
        long n = std::wcstol(rec->name().c_str() + 2, &end, 10);
        if (*end == 0 && n >= next)
            next = n + 1;
    }
    return next;
}

} // namespace

TEST_F(DbTest, IndexedLookupsAnswerAsAWalkOfTheTable) {
    const std::vector<std::wstring> names = {L"PIPE", L"pipe", L"Duct", L"DUCT",  L"*U3",
                                             L"*u7",  L"*U12", L"A",    L"Valve", L"VALVE"};
    std::mt19937 rng(7);
    auto pick = [&](std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng);
    };

    AcDbBlockTable* bt = nullptr;
    ASSERT_EQ(db->getBlockTable(bt, AcDb::kForWrite), Acad::eOk);
    std::vector<AcDbObjectId> ours;
    for (int step = 0; step < 400; ++step) {
        switch (pick(5)) {
        case 0: { // a named block, refused when the name is taken
            auto* btr = new AcDbBlockTableRecord();
            btr->setName(names[pick(names.size())].c_str());
            AcDbObjectId id;
            if (bt->add(id, btr) == Acad::eOk) {
                ours.push_back(id);
                btr->close();
            } else {
                delete btr;
            }
            break;
        }
        case 1: { // an anonymous block numbered by the table
            const long expected = walkNextAnonymous(bt);
            auto* btr = new AcDbBlockTableRecord();
            btr->setName(L"*U");
            AcDbObjectId id;
            ASSERT_EQ(bt->add(id, btr), Acad::eOk);
            EXPECT_EQ(btr->name(), L"*U" + std::to_wstring(expected)) << "step " << step;
            ours.push_back(id);
            btr->close();
            break;
        }
        case 2: // a duplicate name, as a damaged file may hold one
        {
            auto* btr = new AcDbBlockTableRecord();
            btr->kzSetNameRaw(names[pick(names.size())]);
            AcDbObjectId id;
            ASSERT_EQ(db->impl().addObject(btr, bt->objectId(), id), Acad::eOk);
            btr->close();
            bt->kzAppendRecord(id);
            ours.push_back(id);
            break;
        }
        case 3: // a rename, refused when the name is taken
            if (!ours.empty()) {
                AcDbBlockTableRecord* btr = nullptr;
                if (acdbOpenObject(btr, ours[pick(ours.size())], AcDb::kForWrite, true) ==
                    Acad::eOk) {
                    btr->setName(names[pick(names.size())].c_str());
                    btr->close();
                }
            }
            break;
        case 4: // an erase or an unerase
            if (!ours.empty()) {
                AcDbObject* obj = nullptr;
                const AcDbObjectId id = ours[pick(ours.size())];
                if (acdbOpenObject(obj, id, AcDb::kForWrite, true) == Acad::eOk) {
                    obj->erase(!id.isErased());
                    obj->close();
                }
            }
            break;
        }
        for (const std::wstring& name : names) {
            AcDbObjectId found;
            bt->getAt(name.c_str(), found);
            ASSERT_EQ(found, walkLookup(bt, name)) << "step " << step << " name " << name.size();
        }
    }
    bt->close();
}
