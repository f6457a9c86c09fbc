// The drawings of the route samples: a short piping route (two pipes joined by an
// elbow), a rectangular duct segment, walls, a note, a group over the route and rotated
// dimensions along the run, linked to the elements they measure; and straight pipe runs
// of any length. Route elements are block references carrying attributes and extended
// data as the route add-in writes them; the connection points inside the blocks sit on
// layers that are off.
#include "route_sample.h"

#include "dbdict.h"
#include "dbdim.h"
#include "dbents.h"
#include "dbgroup.h"
#include "dbmain.h"
#include "dbmtext.h"
#include "dbsymtb.h"

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

namespace kz::samples {

namespace {

constexpr double kPipeRadius = 25.0; // 50 mm pipes
constexpr double kDuctHalfWidth = 200.0;

struct Attribute {
    const wchar_t* tag;
    const wchar_t* value;
    bool visible;
};

class SampleBuilder {
public:
    explicit SampleBuilder(AcDbDatabase& db) : m_db(db) {}

    void layer(const wchar_t* name, int color, bool off = false) {
        AcDbLayerTable* table = nullptr;
        m_db.getLayerTable(table, AcDb::kForWrite);
        auto* rec = new AcDbLayerTableRecord;
        rec->setName(name);
        AcCmColor c;
        c.setColorIndex(static_cast<Adesk::UInt16>(color));
        rec->setColor(c);
        rec->setIsOff(off);
        table->add(rec);
        rec->close();
        table->close();
    }

    // A new block with the given base point; entities go in with add() until close.
    // The element's identifier, root type and route kind go in its KZ_ELEMENT list.
    AcDbObjectId beginBlock(const wchar_t* name, const AcGePoint3d& base,
                            const std::vector<std::wstring>& element) {
        AcDbBlockTable* table = nullptr;
        m_db.getBlockTable(table, AcDb::kForWrite);
        m_block = new AcDbBlockTableRecord;
        m_block->setName(name);
        m_block->setOrigin(base);
        AcDbObjectId id;
        table->add(id, m_block);
        table->close();
        setStrings(m_block, L"KZ_ELEMENT", element);
        return id;
    }
    void endBlock() {
        m_block->close();
        m_block = nullptr;
    }
    // Adds to the open block, on layer 0 with the reference's colour, or on the layer.
    AcDbObjectId add(AcDbEntity* e, const wchar_t* layerName = nullptr) {
        e->setDatabaseDefaults(&m_db);
        if (layerName) {
            e->setLayer(layerName);
        } else {
            AcCmColor byBlock;
            byBlock.setByBlock();
            e->setColor(byBlock);
        }
        AcDbObjectId id;
        m_block->appendAcDbEntity(id, e);
        e->close();
        return id;
    }
    void connectionPoints(const AcGePoint3d& a, const AcGePoint3d& b) {
        for (const wchar_t* layerName : {L"KZ_LENGTH", L"KZ_CONNECT"}) {
            add(new AcDbPoint(a), layerName);
            add(new AcDbPoint(b), layerName);
        }
    }
    void attributeDefinition(const wchar_t* tag, const AcGePoint3d& at, double height,
                             bool visible) {
        auto* def = new AcDbAttributeDefinition(at, L"", tag, tag);
        def->setHeight(height);
        def->setInvisible(!visible);
        if (visible) {
            def->setHorizontalMode(AcDb::kTextCenter);
            def->setAlignmentPoint(at);
        }
        add(def);
    }

    // A reference in model space with the block's attributes filled in.
    AcDbObjectId insert(AcDbObjectId block, const AcGePoint3d& at, double rotation,
                        const wchar_t* layerName, const std::vector<Attribute>& values,
                        const wchar_t* link) {
        auto* ref = new AcDbBlockReference(at, block);
        ref->setRotation(rotation);
        AcDbObjectId id = appendToModelSpace(ref, layerName, false);
        auto* btr = AcDbBlockTableRecord::cast(openForRead(block));
        for (const AcDbObjectId& eid : btr->kzEntities()) {
            AcDbObject* member = openForRead(eid);
            auto* def = AcDbAttributeDefinition::cast(member);
            if (def) {
                auto* att = new AcDbAttribute;
                att->setDatabaseDefaults(&m_db);
                att->setAttributeFromBlock(def, ref->blockTransform());
                for (const Attribute& v : values) {
                    if (std::wstring(v.tag) == def->tagConst()) {
                        att->setTextString(v.value);
                        att->setInvisible(!v.visible);
                    }
                }
                ref->appendAttribute(att);
                att->close();
            }
            // Every member is closed, not only the definitions: a member left open for
            // read counts against the readers any later open allows.
            closeRead(member);
        }
        btr->close();
        setStrings(ref, L"KZ_LINK", {link});
        ref->close();
        return id;
    }

    AcDbObjectId line(const AcGePoint3d& a, const AcGePoint3d& b, const wchar_t* layerName) {
        return appendToModelSpace(new AcDbLine(a, b), layerName);
    }

    // A rotated dimension with the sample's sizes: text above the line.
    AcDbObjectId dimension(double rotation, const AcGePoint3d& a, const AcGePoint3d& b,
                           const AcGePoint3d& onLine) {
        auto* dim = new AcDbRotatedDimension(rotation, a, b, onLine);
        dim->setDimtxt(80);
        dim->setDimasz(60);
        dim->setDimexo(30);
        dim->setDimexe(40);
        dim->setDimgap(20);
        dim->setDimtad(1);
        return appendToModelSpace(dim, L"KZ_DIM");
    }

    AcDbObjectId text(const AcGePoint3d& at, const wchar_t* s, double height) {
        auto* t = new AcDbText(at, s, AcDbObjectId(), height);
        return appendToModelSpace(t, L"NOTE");
    }
    AcDbObjectId mtext(const AcGePoint3d& at, const wchar_t* contents, double height) {
        auto* t = new AcDbMText;
        t->setLocation(at);
        t->setContents(contents);
        t->setTextHeight(height);
        t->setAttachment(AcDbMText::kTopLeft);
        return appendToModelSpace(t, L"NOTE");
    }

    void group(const wchar_t* name, const AcDbObjectIdArray& members) {
        AcDbDictionary* groups = nullptr;
        m_db.getGroupDictionary(groups, AcDb::kForWrite);
        auto* g = new AcDbGroup(L"piping route");
        AcDbObjectId id;
        groups->setAt(name, g, id);
        g->append(members);
        g->close();
        groups->close();
    }

    // The link lists: the dimension names its elements, each element its dimensions.
    void link(AcDbObjectId dim, const std::vector<AcDbObjectId>& elements) {
        std::vector<std::wstring> handles;
        for (const AcDbObjectId& e : elements)
            handles.push_back(handleText(e));
        writeStrings(dim, L"KZ_DIMENSION", handles, false);
        for (const AcDbObjectId& e : elements)
            writeStrings(e, L"KZ_DIMENSION", {handleText(dim)}, true);
    }

private:
    AcDbObjectId appendToModelSpace(AcDbEntity* e, const wchar_t* layerName, bool close = true) {
        AcDbBlockTable* table = nullptr;
        m_db.getBlockTable(table, AcDb::kForRead);
        AcDbBlockTableRecord* ms = nullptr;
        table->getAt(ACDB_MODEL_SPACE, ms, AcDb::kForWrite);
        table->close();
        e->setDatabaseDefaults(&m_db);
        e->setLayer(layerName);
        AcDbObjectId id;
        ms->appendAcDbEntity(id, e);
        ms->close();
        if (close)
            e->close();
        return id;
    }
    AcDbObject* openForRead(AcDbObjectId id) {
        AcDbObject* obj = nullptr;
        acdbOpenAcDbObject(obj, id, AcDb::kForRead);
        return obj;
    }
    void closeRead(AcDbObject* obj) {
        if (obj)
            obj->close();
    }
    static std::wstring handleText(AcDbObjectId id) {
        wchar_t buf[17];
        id.handle().getIntoAsciiBuffer(buf);
        return buf;
    }
    void setStrings(AcDbObject* obj, const wchar_t* app, const std::vector<std::wstring>& strings) {
        acdbRegApp(app, &m_db);
        resbuf* head = acutBuildList(1001, app, RTNONE);
        resbuf* tail = head;
        for (const std::wstring& s : strings) {
            tail->rbnext = acutBuildList(1000, s.c_str(), RTNONE);
            tail = tail->rbnext;
        }
        obj->setXData(head);
        acutRelRb(head);
    }
    // Replaces (or, with append, extends) an object's list under the application.
    void writeStrings(AcDbObjectId id, const wchar_t* app, std::vector<std::wstring> strings,
                      bool append) {
        AcDbObject* obj = nullptr;
        acdbOpenAcDbObject(obj, id, AcDb::kForWrite);
        if (append) {
            resbuf* old = obj->xData(app);
            std::vector<std::wstring> kept;
            for (resbuf* rb = old ? old->rbnext : nullptr; rb; rb = rb->rbnext)
                kept.emplace_back(rb->resval.rstring);
            acutRelRb(old);
            kept.insert(kept.end(), strings.begin(), strings.end());
            strings = kept;
        }
        setStrings(obj, app, strings);
        obj->close();
    }

    AcDbDatabase& m_db;
    AcDbBlockTableRecord* m_block = nullptr;
};

// A straight 50 mm pipe of the given length along +X from the base point.
AcDbObjectId pipeBlock(SampleBuilder& b, const wchar_t* name, double length) {
    AcDbObjectId id = b.beginBlock(name, AcGePoint3d::kOrigin, {L"RT01", L"0", L"1"});
    const double r = kPipeRadius;
    b.add(new AcDbLine(AcGePoint3d(0, -r, 0), AcGePoint3d(length, -r, 0)));
    b.add(new AcDbLine(AcGePoint3d(0, r, 0), AcGePoint3d(length, r, 0)));
    b.add(new AcDbLine(AcGePoint3d(0, -r, 0), AcGePoint3d(0, r, 0)));
    b.add(new AcDbLine(AcGePoint3d(length, -r, 0), AcGePoint3d(length, r, 0)));
    b.connectionPoints(AcGePoint3d::kOrigin, AcGePoint3d(length, 0, 0));
    b.attributeDefinition(L"S121", AcGePoint3d(length / 2, r + 20, 0), 50, true);
    for (const wchar_t* tag : {L"S016", L"S401", L"S304", L"S402"})
        b.attributeDefinition(tag, AcGePoint3d(length / 2, 0, 0), 30, false);
    b.endBlock();
    return id;
}

// A 90-degree elbow turning left: in along +X at the base point, out along +Y. Drawn
// away from the origin with its base point on the inlet, as blocks often are.
AcDbObjectId elbowBlock(SampleBuilder& b) {
    const AcGePoint3d base(1000, 1000, 0);
    AcDbObjectId id = b.beginBlock(L"RBL50", base, {L"RBL01", L"0", L"1"});
    const double bend = 3 * kPipeRadius, r = kPipeRadius;
    const AcGePoint3d centre = base + AcGeVector3d(0, bend, 0);
    b.add(new AcDbArc(centre, bend - r, -std::numbers::pi / 2, 0));
    b.add(new AcDbArc(centre, bend + r, -std::numbers::pi / 2, 0));
    b.add(new AcDbLine(base + AcGeVector3d(0, -r, 0), base + AcGeVector3d(0, r, 0)));
    b.add(
        new AcDbLine(centre + AcGeVector3d(bend - r, 0, 0), centre + AcGeVector3d(bend + r, 0, 0)));
    b.connectionPoints(base, centre + AcGeVector3d(bend, 0, 0));
    b.attributeDefinition(L"S121", base, 30, false);
    b.endBlock();
    return id;
}

// A rectangular duct segment along +X, its axis on the base point.
AcDbObjectId ductBlock(SampleBuilder& b, double length) {
    AcDbObjectId id = b.beginBlock(L"D400-2500", AcGePoint3d::kOrigin, {L"RT11", L"0", L"2"});
    const double h = kDuctHalfWidth;
    b.add(new AcDbLine(AcGePoint3d(0, -h, 0), AcGePoint3d(length, -h, 0)));
    b.add(new AcDbLine(AcGePoint3d(0, h, 0), AcGePoint3d(length, h, 0)));
    b.add(new AcDbLine(AcGePoint3d(0, -h, 0), AcGePoint3d(0, h, 0)));
    b.add(new AcDbLine(AcGePoint3d(length, -h, 0), AcGePoint3d(length, h, 0)));
    b.add(new AcDbLine(AcGePoint3d(0, -h, 0), AcGePoint3d(length, h, 0)));
    b.add(new AcDbLine(AcGePoint3d(0, h, 0), AcGePoint3d(length, -h, 0)));
    b.connectionPoints(AcGePoint3d::kOrigin, AcGePoint3d(length, 0, 0));
    b.attributeDefinition(L"S121", AcGePoint3d(length / 2, h + 40, 0), 80, true);
    for (const wchar_t* tag : {L"S016", L"S041"})
        b.attributeDefinition(tag, AcGePoint3d(length / 2, 0, 0), 30, false);
    b.endBlock();
    return id;
}

} // namespace

// A straight pipe run of n 2000-unit pipes joined end to end along +X, with the
// layers of the sample.
void drawPipeRun(AcDbDatabase& db, int n) {
    SampleBuilder b(db);
    b.layer(L"PIPE", 5);
    b.layer(L"KZ_DIM", 1);
    b.layer(L"KZ_LENGTH", 6, true);
    b.layer(L"KZ_CONNECT", 6, true);
    const AcDbObjectId pipe = pipeBlock(b, L"P50-2000", 2000);
    const std::vector<Attribute> values = {{L"S121", L"50A", true},
                                           {L"S016", L"SGP", false},
                                           {L"S401", L"1", false},
                                           {L"S304", L"0", false},
                                           {L"S402", L"0", false}};
    for (int i = 0; i < n; ++i)
        b.insert(pipe, AcGePoint3d(2000.0 * i, 0, 0), 0, L"PIPE", values, L"1|||01||0|");
}

// The bundled sample: a short piping route (two pipes joined by an elbow), a duct
// segment, walls, a note, a group over the route and dimensions linked to the elements.
void drawRouteSample(AcDbDatabase& db) {
    SampleBuilder b(db);
    b.layer(L"PIPE", 5);
    b.layer(L"DUCT", 30);
    b.layer(L"WALL", 8);
    b.layer(L"NOTE", 7);
    b.layer(L"KZ_DIM", 1);
    b.layer(L"KZ_LENGTH", 6, true);
    b.layer(L"KZ_CONNECT", 6, true);

    const AcDbObjectId pipe2000 = pipeBlock(b, L"P50-2000", 2000);
    const AcDbObjectId pipe1500 = pipeBlock(b, L"P50-1500", 1500);
    const AcDbObjectId elbow = elbowBlock(b);
    const AcDbObjectId duct = ductBlock(b, 2500);

    const double up = std::numbers::pi / 2;
    const wchar_t* pipeLink = L"1|||01||0|";
    const std::vector<Attribute> pipeValues = {{L"S121", L"50A", true},
                                               {L"S016", L"SGP", false},
                                               {L"S401", L"1", false},
                                               {L"S304", L"0", false},
                                               {L"S402", L"0", false}};
    AcDbObjectId p1 = b.insert(pipe2000, AcGePoint3d(0, 0, 0), 0, L"PIPE", pipeValues, pipeLink);
    AcDbObjectId e1 =
        b.insert(elbow, AcGePoint3d(2000, 0, 0), 0, L"PIPE", {{L"S121", L"50A", false}}, pipeLink);
    AcDbObjectId p2 =
        b.insert(pipe1500, AcGePoint3d(2075, 75, 0), up, L"PIPE", pipeValues, pipeLink);
    AcDbObjectId d1 = b.insert(duct, AcGePoint3d(0, -1200, 0), 0, L"DUCT",
                               {{L"S121", L"400", true}, {L"S016", L"KAKU", false}}, L"2|||01||1|");

    b.line(AcGePoint3d(-500, -1700, 0), AcGePoint3d(3400, -1700, 0), L"WALL");
    b.line(AcGePoint3d(3400, -1700, 0), AcGePoint3d(3400, 2200, 0), L"WALL");
    b.text(AcGePoint3d(0, 2000, 0), L"Route sample \u7d4c\u8def\u5bf8\u6cd5", 120);
    b.mtext(AcGePoint3d(0, 1800, 0), L"Pipe 50A SGP\\PDuct 400 x 400 (KAKU)", 60);

    AcDbObjectIdArray route;
    for (const AcDbObjectId& id : {p1, e1, p2})
        route.append(id);
    b.group(L"ROUTE1", route);

    b.link(b.dimension(0, AcGePoint3d(0, 0, 0), AcGePoint3d(2000, 0, 0), AcGePoint3d(0, 400, 0)),
           {p1});
    b.link(
        b.dimension(0, AcGePoint3d(2000, 0, 0), AcGePoint3d(2075, 75, 0), AcGePoint3d(0, 400, 0)),
        {e1});
    b.link(b.dimension(up, AcGePoint3d(2075, 75, 0), AcGePoint3d(2075, 1575, 0),
                       AcGePoint3d(2700, 0, 0)),
           {p2});
    b.link(b.dimension(0, AcGePoint3d(0, -1200, 0), AcGePoint3d(2500, -1200, 0),
                       AcGePoint3d(0, -700, 0)),
           {d1});
}

} // namespace kz::samples
