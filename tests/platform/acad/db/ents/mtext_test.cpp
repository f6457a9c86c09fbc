// Paragraph text: contents kept with their format codes, long contents written in
// chunks and read back whole, rotation from either DXF form, and estimated extents.
#include "../db_fixture.h"
#include "recording_filer.h"

#include "dbextents.h"
#include "dbmtext.h"
#include "win_codepage.h"

#include <cmath>
#include <memory>

namespace {

const double kPi = 3.14159265358979323846;

void expectPoint(const AcGePoint3d& actual, const AcGePoint3d& expected, double tol = 1e-9) {
    EXPECT_NEAR(actual.x, expected.x, tol);
    EXPECT_NEAR(actual.y, expected.y, tol);
    EXPECT_NEAR(actual.z, expected.z, tol);
}

// 600 characters of Japanese text with a paragraph break code in the middle.
std::wstring longJapanese() {
    std::wstring s;
    const std::wstring words = L"経路寸法の設定を変更します。";
    while (s.size() < 600)
        s += words;
    s.resize(600);
    s.replace(300, 2, L"\\P");
    return s;
}

} // namespace

TEST_F(DbTest, MTextLongContentsAreWrittenInChunksAndReadBackWhole) {
    AcDbMText mtext;
    std::wstring contents = longJapanese();
    EXPECT_EQ(mtext.setContents(contents.c_str()), 600);
    mtext.setTextHeight(2.5);
    RecordingFiler out(db.get());
    std::unique_ptr<AcDbMText> back(roundTrip(mtext, db.get(), &out));

    // Two whole chunks of 250 characters in group 3, the last 100 in group 1.
    auto chunks = out.values(3);
    ASSERT_EQ(chunks.size(), 2u);
    for (auto& c : chunks)
        EXPECT_EQ(kz::utf8ToWide(c).size(), 250u);
    ASSERT_EQ(out.values(1).size(), 1u);
    EXPECT_EQ(kz::utf8ToWide(out.values(1)[0]), contents.substr(500));
    EXPECT_EQ(back->kzContents(), contents);

    // Exactly 250 characters still fit one group 1.
    mtext.setContents(contents.substr(0, 250).c_str());
    RecordingFiler single(db.get());
    mtext.dxfOutFields(&single);
    EXPECT_TRUE(single.values(3).empty());
    EXPECT_EQ(kz::utf8ToWide(single.values(1).at(0)).size(), 250u);
}

TEST_F(DbTest, MTextRotationComesFromTheLaterOfGroup50AndTheDirection) {
    std::vector<Tag> base = {
        {100, "AcDbMText"},      {10, "1"}, {20, "2"}, {30, "0"}, {40, "2.5"}, {71, "5"},
        {1, "{\\fMS Gothic;12}"}};
    auto read = [&](std::vector<Tag> extra) {
        std::vector<Tag> tags = base;
        tags.insert(tags.end(), extra.begin(), extra.end());
        RecordingFiler in(db.get(), tags);
        auto m = std::make_unique<AcDbMText>();
        m->dxfInFields(&in);
        return m;
    };
    EXPECT_NEAR(read({{50, "90"}})->rotation(), kPi / 2, 1e-12); // degrees, as files give it
    EXPECT_NEAR(read({{11, "0"}, {21, "-1"}, {31, "0"}})->rotation(), 3 * kPi / 2, 1e-12);
    EXPECT_NEAR(read({{11, "0"}, {21, "1"}, {31, "0"}, {50, "0"}})->rotation(), 0, 1e-12);
    EXPECT_NEAR(read({{50, "0"}, {11, "0"}, {21, "1"}, {31, "0"}})->rotation(), kPi / 2, 1e-12);
    auto m = read({});
    EXPECT_EQ(m->attachment(), AcDbMText::kMiddleCenter);
    EXPECT_EQ(m->kzContents(), L"{\\fMS Gothic;12}");
    ACHAR* plain = m->text();
    EXPECT_STREQ(plain, L"12");
    acutDelString(plain);
    expectPoint(m->location(), {1, 2, 0});
}

TEST_F(DbTest, MTextWritesItsDirectionAndKeepsUnknownTags) {
    AcDbMText mtext;
    mtext.setRotation(kPi / 2);
    mtext.setContents(L"A");
    RecordingFiler out(db.get());
    mtext.dxfOutFields(&out);
    EXPECT_NEAR(std::stod(out.values(11).at(0)), 0, 1e-12);
    EXPECT_NEAR(std::stod(out.values(21).at(0)), 1, 1e-12);

    RecordingFiler in(db.get(), {{100, "AcDbMText"}, {1, "A"}, {90, "1"}, {63, "3"}});
    AcDbMText read;
    read.dxfInFields(&in);
    EXPECT_EQ(in.kept, (std::vector<Tag>{{90, "1"}, {63, "3"}}));
}

TEST_F(DbTest, MTextExtentsFollowAttachmentAndRotation) {
    AcDbMText mtext;
    mtext.setContents(L"1500");
    mtext.setTextHeight(2);
    mtext.setLocation({10, 10, 0});
    mtext.setAttachment(AcDbMText::kMiddleCenter);
    AcDbExtents ext;
    ASSERT_EQ(mtext.getGeomExtents(ext), Acad::eOk);
    // Four characters 2 wide, one line 2 high, centred on the location.
    expectPoint(ext.minPoint(), {6, 9, 0});
    expectPoint(ext.maxPoint(), {14, 11, 0});
    mtext.setRotation(kPi / 2);
    ASSERT_EQ(mtext.getGeomExtents(ext), Acad::eOk);
    expectPoint(ext.minPoint(), {9, 6, 0});
    expectPoint(ext.maxPoint(), {11, 14, 0});

    // Two paragraphs, top left: lines 2 x 5/3 apart below the location.
    mtext.setRotation(0);
    mtext.setAttachment(AcDbMText::kTopLeft);
    mtext.setContents(L"12\\P345");
    ASSERT_EQ(mtext.getGeomExtents(ext), Acad::eOk);
    expectPoint(ext.minPoint(), {10, 10 - 2 - 2 * 5.0 / 3.0, 0});
    expectPoint(ext.maxPoint(), {16, 10, 0});
}

TEST_F(DbTest, MTextCloneIsIndependentAndTransformMovesIt) {
    auto* mtext = new AcDbMText();
    mtext->setContents(L"text");
    mtext->setLocation({1, 1, 0});
    mtext->setTextHeight(1);
    AcDbObjectId id = addToModelSpace(mtext);
    AcDbMText* open = nullptr;
    ASSERT_EQ(acdbOpenObject(open, id, AcDb::kForRead), Acad::eOk);
    std::unique_ptr<AcDbMText> copy(AcDbMText::cast(open->clone()));
    open->close();
    ASSERT_NE(copy, nullptr);
    EXPECT_TRUE(copy->objectId().isNull());
    EXPECT_TRUE(copy->isWriteEnabled());
    copy->setLocation({5, 5, 0});
    copy->setContents(L"other");
    ASSERT_EQ(acdbOpenObject(open, id, AcDb::kForRead), Acad::eOk);
    expectPoint(open->location(), {1, 1, 0});
    EXPECT_EQ(open->kzContents(), L"text");
    open->close();

    ASSERT_EQ(copy->transformBy(AcGeMatrix3d::rotation(kPi / 2, AcGeVector3d::kZAxis) *
                                AcGeMatrix3d::scaling(2)),
              Acad::eOk);
    expectPoint(copy->location(), {-10, 10, 0});
    EXPECT_NEAR(copy->rotation(), kPi / 2, 1e-12);
    EXPECT_DOUBLE_EQ(copy->textHeight(), 2);
}
