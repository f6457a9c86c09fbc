// Route elements as the host add-in draws them, for the tests of the route library and
// of the host add-in: element blocks with connection and length points and their
// KZ_ELEMENT record, references with KZ_LINK and attributes, and route groups.
#pragma once

#include "../acad/db/db_fixture.h"

#include "ApiComn.h"
#include "DeZeza.h"
#include "dbents.h"
#include "dbgroup.h"
#include "dbdict.h"

#include <initializer_list>
#include <map>
#include <numbers>
#include <string>
#include <utility>
#include <vector>

inline void expectPoint(const AcGePoint3d& actual, const AcGePoint3d& expected,
                        double tol = 1e-9) {
    EXPECT_NEAR(actual.x, expected.x, tol);
    EXPECT_NEAR(actual.y, expected.y, tol);
    EXPECT_NEAR(actual.z, expected.z, tol);
}

inline double degrees(double d) { return d * std::numbers::pi / 180.0; }

class RouteTest : public DbTest {
protected:
    struct Placement {
        AcGePoint3d position;
        double rotationDegrees = 0;
        AcGeScale3d scale = AcGeScale3d(1, 1, 1);
    };

    // A block with POINT entities on the connection and length layers (in this order:
    // all connection points, then all length points, then a point on layer "0" that
    // no reader may take), an outline line, and KZ_ELEMENT strings when record is not
    // empty.
    AcDbObjectId defineElement(const wchar_t* name, std::vector<AcGePoint3d> connections,
                               std::vector<AcGePoint3d> lengths,
                               std::vector<std::wstring> record,
                               AcGePoint3d origin = AcGePoint3d::kOrigin) {
        AcDbBlockTable* bt = nullptr;
        EXPECT_EQ(db->getBlockTable(bt, AcDb::kForWrite), Acad::eOk);
        auto* btr = new AcDbBlockTableRecord();
        btr->setName(name);
        btr->setOrigin(origin);
        AcDbObjectId id;
        EXPECT_EQ(bt->add(id, btr), Acad::eOk);
        bt->close();
        auto addPoint = [&](const AcGePoint3d& p, const wchar_t* layer) {
            auto* point = new AcDbPoint(p);
            EXPECT_EQ(ApiComn_SetLayer(point, layer), 0);
            EXPECT_EQ(btr->appendAcDbEntity(point), Acad::eOk);
            point->close();
        };
        for (const auto& p : connections)
            addPoint(p, KZCONECT_LAYER);
        for (const auto& p : lengths)
            addPoint(p, KZLENGTH_LAYER);
        addPoint(origin + AcGeVector3d(0, 7, 0), L"0");
        if (connections.size() >= 2) {
            auto* outline = new AcDbLine(connections[0], connections[1]);
            EXPECT_EQ(btr->appendAcDbEntity(outline), Acad::eOk);
            outline->close();
        }
        btr->close();
        if (!record.empty())
            writeList(id, KZ_ELEMENT_APPNAME, record);
        return id;
    }

    // A straight element of the given length along the block's x axis.
    AcDbObjectId defineStraight(const wchar_t* name, double length, const wchar_t* identifier,
                                int routeKind = 0) {
        return defineElement(name, {{0, 0, 0}, {length, 0, 0}}, {{0, 0, 0}, {length, 0, 0}},
                             {identifier, L"1", std::to_wstring(routeKind)});
    }

    // A reference of block placed so, with KZ_LINK (when link is not null) and attributes.
    AcDbObjectId insert(AcDbObjectId block, Placement at, const wchar_t* link = L"1|||01||0|",
                        std::vector<std::pair<std::wstring, std::wstring>> attributes = {}) {
        auto* ref = new AcDbBlockReference(at.position, block);
        ref->setRotation(degrees(at.rotationDegrees));
        ref->setScaleFactors(at.scale);
        AcDbObjectId id = addToModelSpace(ref);
        if (!attributes.empty()) {
            AcDbBlockReference* open = nullptr;
            EXPECT_EQ(acdbOpenObject(open, id, AcDb::kForWrite), Acad::eOk);
            for (const auto& [tag, text] : attributes) {
                auto* attribute = new AcDbAttribute(at.position, text.c_str(), tag.c_str());
                EXPECT_EQ(open->appendAttribute(attribute), Acad::eOk);
                attribute->close();
            }
            open->close();
        }
        if (link)
            writeList(id, KZ_LINK_APPNAME, {link});
        return id;
    }

    AcDbObjectId makeGroup(const wchar_t* name, std::initializer_list<AcDbObjectId> members) {
        AcDbObjectId group;
        for (AcDbObjectId m : members)
            EXPECT_EQ(RootComn_AddGroupMember(AcDbObjectId(), m, name), 0);
        AcDbDictionary* dict = nullptr;
        EXPECT_EQ(db->getGroupDictionary(dict, AcDb::kForRead), Acad::eOk);
        EXPECT_EQ(dict->getAt(name, group), Acad::eOk);
        dict->close();
        return group;
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

    static std::vector<AcDbObjectId> ids(const AcDbObjectIdArray& array) {
        return std::vector<AcDbObjectId>(array.begin(), array.end());
    }
};
