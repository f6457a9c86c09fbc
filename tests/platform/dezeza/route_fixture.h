// Route elements as the host add-in draws them: element blocks with connection and
// length points and KZ_ELEMENT, references with KZ_LINK and attributes, route groups.
#pragma once

#include "../acad/db/db_fixture.h"

#include "ApiComn.h"
#include "DeZeza.h"
#include "dbdict.h"
#include "dbents.h"
#include "dbgroup.h"

#include <numbers>
#include <string>
#include <utility>
#include <vector>

inline void expectPoint(const AcGePoint3d& actual, const AcGePoint3d& expected) {
    EXPECT_LT(actual.distanceTo(expected), 1e-9) << actual.x << "," << actual.y << "," << actual.z;
}

// The helpers on top of a fixture that makes the working database.
template <class Base> class RouteFixture : public Base {
protected:
    struct Placement {
        AcGePoint3d position;
        double degrees = 0;
        AcGeScale3d scale = AcGeScale3d(1, 1, 1);
    };
    using Attributes = std::vector<std::pair<std::wstring, std::wstring>>;

    // Connection points, then length points, then a stray point on layer "0", then an
    // outline line; KZ_ELEMENT when record is not empty.
    AcDbObjectId defineElement(const wchar_t* name, std::vector<AcGePoint3d> connections,
                               std::vector<AcGePoint3d> lengths, std::vector<std::wstring> record,
                               AcGePoint3d origin = AcGePoint3d::kOrigin) {
        AcDbBlockTable* bt = nullptr;
        acdbCurDwg()->getBlockTable(bt, AcDb::kForWrite);
        auto* btr = new AcDbBlockTableRecord();
        btr->setName(name);
        btr->setOrigin(origin);
        AcDbObjectId id;
        EXPECT_EQ(bt->add(id, btr), Acad::eOk);
        bt->close();
        auto add = [&](AcDbEntity* ent, const wchar_t* layer) {
            ApiComn_SetLayer(ent, layer);
            btr->appendAcDbEntity(ent);
            ent->close();
        };
        for (const auto& p : connections)
            add(new AcDbPoint(p), KZCONECT_LAYER);
        for (const auto& p : lengths)
            add(new AcDbPoint(p), KZLENGTH_LAYER);
        add(new AcDbPoint(origin + AcGeVector3d(0, 7, 0)), L"0");
        if (connections.size() >= 2)
            add(new AcDbLine(connections[0], connections[1]), L"0");
        btr->close();
        if (!record.empty())
            writeList(id, KZ_ELEMENT_APPNAME, record);
        return id;
    }
    // A straight element along the block's x axis.
    AcDbObjectId defineStraight(const wchar_t* name, double length, const wchar_t* identifier,
                                int routeKind = 0) {
        return defineElement(name, {{0, 0, 0}, {length, 0, 0}}, {{0, 0, 0}, {length, 0, 0}},
                             {identifier, L"1", std::to_wstring(routeKind)});
    }
    AcDbObjectId insert(AcDbObjectId block, Placement at, const wchar_t* link = L"1|||01||0|",
                        Attributes attributes = {}) {
        auto* ref = new AcDbBlockReference(at.position, block);
        ref->setRotation(at.degrees * std::numbers::pi / 180);
        ref->setScaleFactors(at.scale);
        for (const auto& [tag, text] : attributes)
            ref->appendAttribute(new AcDbAttribute(at.position, text.c_str(), tag.c_str()));
        AcDbObjectId id = toModelSpace(ref);
        if (link)
            writeList(id, KZ_LINK_APPNAME, {link});
        return id;
    }
    AcDbObjectId makeGroup(const wchar_t* name, std::vector<AcDbObjectId> members) {
        for (AcDbObjectId m : members)
            EXPECT_EQ(RootComn_AddGroupMember(AcDbObjectId(), m, name), 0);
        return RuleComn_getGroupID(members.front(), 0);
    }
    void writeList(AcDbObjectId id, const wchar_t* app, std::vector<std::wstring> strings) {
        CStringArray list;
        for (const auto& s : strings)
            list.Add(s.c_str());
        EXPECT_EQ(ApiComn_appendAttributesArray(id, app, &list, true), 0);
    }
    std::vector<AcGePoint3d> points(AcDbObjectId element, const wchar_t* layer) {
        AcGePoint3dArray found;
        DeZeza_GetConnectPoint(element, found, layer, nullptr);
        return std::vector<AcGePoint3d>(found.begin(), found.end());
    }
    static std::vector<AcDbObjectId> ids(const AcDbObjectIdArray& a) {
        return std::vector<AcDbObjectId>(a.begin(), a.end());
    }
    static AcDbObjectId toModelSpace(AcDbEntity* ent) {
        AcDbBlockTableRecord* space = nullptr;
        acdbOpenObject(space, acdbCurDwg()->currentSpaceId(), AcDb::kForWrite);
        AcDbObjectId id;
        EXPECT_EQ(space->appendAcDbEntity(id, ent), Acad::eOk);
        ent->close();
        space->close();
        return id;
    }
};

using RouteTest = RouteFixture<DbTest>;
