#include "../db_fixture.h"

#include "acutmem.h"
#include "db/dim_vars.h"
#include "dbdim.h"

#include <string>
#include <vector>

namespace {

using kz::dim::findVar;

// One extended-data item, written as "code:value".
std::vector<std::wstring> describe(const resbuf* rb) {
    std::vector<std::wstring> out;
    for (; rb; rb = rb->rbnext) {
        std::wstring v;
        switch (rb->restype) {
        case 1000:
        case 1001:
        case 1002:
        case 1005:
            v = rb->resval.rstring;
            break;
        case 1040:
            v = std::to_wstring(rb->resval.rreal);
            break;
        case 1070:
            v = std::to_wstring(rb->resval.rint);
            break;
        default:
            v = L"?";
        }
        out.push_back(std::to_wstring(rb->restype) + L":" + v);
    }
    return out;
}

std::wstring hex(AcDbObjectId id) {
    wchar_t buf[20];
    id.handle().getIntoAsciiBuffer(buf, 20);
    return buf;
}

class DimOverrides : public DbTest {
protected:
    AcDbObjectId addDimStyle(const wchar_t* name, std::vector<std::pair<short, double>> values) {
        AcDbDimStyleTable* table = nullptr;
        EXPECT_EQ(db->getDimStyleTable(table, AcDb::kForWrite), Acad::eOk);
        auto* rec = new AcDbDimStyleTableRecord();
        rec->setName(name);
        AcDbObjectId id;
        EXPECT_EQ(table->add(id, rec), Acad::eOk);
        for (auto [code, v] : values) {
            kz::dim::VarValue value;
            value.number = v;
            kz::dim::setStyleValue(rec, *findVar(code), value);
        }
        rec->close();
        table->close();
        return id;
    }
};

} // namespace

TEST_F(DimOverrides, WithoutOverridesTheStyleGivesMetricDefaults) {
    AcDbRotatedDimension dim;
    EXPECT_EQ(dim.dimensionStyle(), db->dimstyle());
    EXPECT_DOUBLE_EQ(dim.dimasz(), 2.5);
    EXPECT_DOUBLE_EQ(dim.dimtxt(), 2.5);
    EXPECT_DOUBLE_EQ(dim.dimexo(), 0.625);
    EXPECT_DOUBLE_EQ(dim.dimexe(), 1.25);
    EXPECT_DOUBLE_EQ(dim.dimgap(), 0.625);
    EXPECT_DOUBLE_EQ(dim.dimscale(), 1.0);
    EXPECT_EQ(dim.dimdec(), 2);
    EXPECT_EQ(dim.dimzin(), 8);
    EXPECT_EQ(dim.dimtad(), 0);
    EXPECT_FALSE(dim.dimse1());
    EXPECT_FALSE(dim.dimsah());
    EXPECT_TRUE(dim.dimclrd().isByBlock());
    EXPECT_EQ(dim.dimtxsty(), db->textstyle());
    EXPECT_TRUE(dim.dimblk1().isNull()); // closed filled
    EXPECT_EQ(dim.xData(L"ACAD"), nullptr);
}

TEST_F(DimOverrides, OverridesAreWrittenAsTheAcadDstyleList) {
    AcDbRotatedDimension dim;
    AcCmColor green;
    green.setColorIndex(3);
    ASSERT_EQ(dim.setDimasz(5.0), Acad::eOk);
    ASSERT_EQ(dim.setDimtad(1), Acad::eOk);
    ASSERT_EQ(dim.setDimse1(true), Acad::eOk);
    ASSERT_EQ(dim.setDimclrd(green), Acad::eOk);
    ASSERT_EQ(dim.setDimtxsty(db->textstyle()), Acad::eOk);
    ASSERT_EQ(dim.setDimpost(L"<>mm"), Acad::eOk);
    ASSERT_EQ(dim.setDimasz(6.0), Acad::eOk); // replaces, does not add

    resbuf* xd = dim.xData(L"ACAD");
    std::vector<std::wstring> expected = {L"1001:ACAD",
                                          L"1000:DSTYLE",
                                          L"1002:{",
                                          L"1070:77",
                                          L"1070:1",
                                          L"1070:75",
                                          L"1070:1",
                                          L"1070:176",
                                          L"1070:3",
                                          L"1070:340",
                                          L"1005:" + hex(db->textstyle()),
                                          L"1070:3",
                                          L"1000:<>mm",
                                          L"1070:41",
                                          L"1040:" + std::to_wstring(6.0),
                                          L"1002:}"};
    EXPECT_EQ(describe(xd), expected);
    acutRelRb(xd);

    EXPECT_EQ(dim.setDimtad(7), Acad::eInvalidInput);
    EXPECT_EQ(dim.setDimasz(-1), Acad::eInvalidInput);
    EXPECT_EQ(dim.dimtad(), 1);
}

TEST_F(DimOverrides, OverridesReadBackFromExtendedData) {
    // What a file reader hands over: the ACAD extended data, with other items of the
    // application around the DSTYLE list.
    std::wstring style = hex(db->textstyle());
    resbuf* rb = acutBuildList(1001, L"ACAD", 1000, L"KEEP", 1000, L"DSTYLE", 1002, L"{", 1070, 41,
                               1040, 4.0, 1070, 77, 1070, 3, 1070, 178, 1070, 1, 1070, 340, 1005,
                               style.c_str(), 1070, 75, 1070, 1, 1002, L"}", 0);
    AcDbRotatedDimension dim;
    ASSERT_EQ(dim.setXData(rb), Acad::eOk);
    acutRelRb(rb);

    EXPECT_DOUBLE_EQ(dim.dimasz(), 4.0);
    EXPECT_EQ(dim.dimtad(), 3);
    EXPECT_EQ(dim.dimclrt().colorIndex(), 1);
    EXPECT_EQ(dim.dimtxsty(), db->textstyle());
    EXPECT_TRUE(dim.dimse1());
    EXPECT_FALSE(dim.dimse2());
    EXPECT_DOUBLE_EQ(dim.dimtxt(), 2.5); // not overridden

    // A change keeps the application's other items.
    ASSERT_EQ(dim.setDimse1(false), Acad::eOk);
    resbuf* xd = dim.xData(L"ACAD");
    std::vector<std::wstring> items = describe(xd);
    acutRelRb(xd);
    ASSERT_GE(items.size(), 3u);
    EXPECT_EQ(items[1], L"1000:KEEP");
    EXPECT_FALSE(dim.dimse1());
}

TEST_F(DimOverrides, MalformedDstyleListsAreIgnored) {
    resbuf* rb = acutBuildList(1001, L"ACAD", 1000, L"DSTYLE", 1002, L"{", 1070, 41, 1040, 9.0, 0);
    AcDbRotatedDimension dim;
    ASSERT_EQ(dim.setXData(rb), Acad::eOk);
    acutRelRb(rb);
    EXPECT_DOUBLE_EQ(dim.dimasz(), 2.5); // no closing brace: no list
    // Setting an override then starts a proper list and keeps the stray items.
    ASSERT_EQ(dim.setDimasz(3.0), Acad::eOk);
    EXPECT_DOUBLE_EQ(dim.dimasz(), 3.0);
}

TEST_F(DimOverrides, ChangingTheStyleKeepsTheOverrides) {
    AcDbObjectId big = addDimStyle(L"Big", {{kz::dim::kDimasz, 10.0}, {kz::dim::kDimtxt, 7.0}});
    AcDbRotatedDimension dim;
    ASSERT_EQ(dim.setDimasz(3.0), Acad::eOk);
    EXPECT_DOUBLE_EQ(dim.dimtxt(), 2.5);
    ASSERT_EQ(dim.setDimensionStyle(big), Acad::eOk);
    EXPECT_EQ(dim.dimensionStyle(), big);
    EXPECT_DOUBLE_EQ(dim.dimasz(), 3.0); // the override stays
    EXPECT_DOUBLE_EQ(dim.dimtxt(), 7.0); // the rest comes from the new style
    EXPECT_DOUBLE_EQ(dim.dimexo(), 0.625);
    // Only dimension styles are styles.
    EXPECT_EQ(dim.setDimensionStyle(db->textstyle()), Acad::eInvalidInput);
    EXPECT_EQ(dim.dimensionStyle(), big);
}

TEST_F(DimOverrides, TheVariableTableKnowsNamesAndCodes) {
    ASSERT_NE(findVar("dimtad"), nullptr);
    EXPECT_EQ(findVar("DIMTAD")->code, 77);
    EXPECT_EQ(findVar(static_cast<short>(147))->kind, kz::dim::VarKind::Real);
    EXPECT_EQ(findVar("DIMNOTHING"), nullptr);
    // Every code appears once.
    auto vars = kz::dim::variables();
    for (std::size_t i = 0; i < vars.size(); ++i)
        for (std::size_t j = i + 1; j < vars.size(); ++j)
            EXPECT_NE(vars[i].code, vars[j].code) << vars[i].name << " " << vars[j].name;
}
