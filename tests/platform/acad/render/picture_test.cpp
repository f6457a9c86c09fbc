// The SVG document: the view fitted to what is shown, the background, one group per
// entity, extra entities, and dimensions drawn through their blocks.
#include "render_fixture.h"

#include "dbdim.h"

#include <algorithm>
#include <memory>

using namespace kz::render;

namespace {
bool contains(const std::string& s, const std::string& part) {
    return s.find(part) != std::string::npos;
}
} // namespace

TEST_F(RenderTest, ViewFitsWhatIsShownWithAMargin) {
    add(new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(100, 50, 0)));
    addLayer(L"OFF", 1, true);
    // Far away but hidden: not part of the view.
    add(on(new AcDbLine(AcGePoint3d(1000, 1000, 0), AcGePoint3d(2000, 1000, 0)), L"OFF"));
    const std::string svg = renderModelSpace(*db, {});
    // 5 % of the larger side (100) on every side; y is flipped.
    EXPECT_TRUE(contains(svg, "viewBox=\"-5 -55 110 60\"")) << svg;
    EXPECT_TRUE(contains(svg, "fill=\"#ffffff\"")) << svg;

    RenderOptions fixed;
    fixed.view = Box{-10, -10, 10, 10};
    fixed.background = Background::Dark;
    const std::string still = renderModelSpace(*db, {}, fixed);
    EXPECT_TRUE(contains(still, "viewBox=\"-10 -10 20 20\"")) << still;
    EXPECT_TRUE(contains(still, "fill=\"#212830\"")) << still;
}

TEST_F(RenderTest, EmptyDrawingGivesAnEmptyPicture) {
    const std::string svg = renderModelSpace(*db, {});
    EXPECT_TRUE(contains(svg, "<svg ")) << svg;
    EXPECT_TRUE(contains(svg, "</svg>")) << svg;
    EXPECT_FALSE(contains(svg, "<g")) << svg;
}

TEST_F(RenderTest, EachEntityIsAGroupNamedByHandleAndExtrasFollowTheDrawing) {
    AcDbObjectId id = add(new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(10, 0, 0)));
    AcDbLine extra(AcGePoint3d(0, 0, 0), AcGePoint3d(0, 30, 0));
    extra.setColorIndex(1);
    const AcDbEntity* extras[] = {&extra};
    const std::string svg = renderModelSpace(*db, extras);
    char handle[17];
    id.handle().getIntoAsciiBuffer(handle);
    const auto drawn = svg.find(std::string("<g id=\"h") + handle + "\">\n<title>AcDbLine</title>");
    const auto added = svg.find("<g id=\"x0\">");
    ASSERT_NE(drawn, std::string::npos) << svg;
    ASSERT_NE(added, std::string::npos) << svg;
    EXPECT_LT(drawn, added);
    EXPECT_TRUE(contains(svg.substr(added), "stroke=\"#ff0000\"")) << svg;
    // The view holds the extra entity too.
    EXPECT_TRUE(contains(svg, "viewBox=\"-1.5 -31.5 13 33\"")) << svg;
}

TEST_F(RenderTest, DimensionInTheDrawingAndTheSameDimensionAsAnExtraLookAlike) {
    auto* dim = new AcDbRotatedDimension(0, AcGePoint3d(0, 0, 0), AcGePoint3d(1200, 0, 0),
                                         AcGePoint3d(0, 300, 0));
    dim->setDimtxt(80);
    dim->setDimasz(60);
    dim->setDimtad(1);
    dim->setColorIndex(1);
    std::unique_ptr<AcDbRotatedDimension> loose(static_cast<AcDbRotatedDimension*>(dim->clone()));
    AcDbObjectId id = add(dim);
    AcDbRotatedDimension* resident = nullptr;
    ASSERT_EQ(acdbOpenObject(resident, id, AcDb::kForRead), Acad::eOk);
    ASSERT_FALSE(resident->dimBlockId().isNull());
    const std::wstring measurement = resident->formatMeasurement();
    resident->close();

    Scene inDrawing = scene();
    const AcDbEntity* extras[] = {loose.get()};
    db = std::make_unique<AcDbDatabase>();
    acdbHostApplicationServices()->setWorkingDatabase(db.get());
    Scene asExtra = scene({}, {extras[0]});

    for (const Scene* s : {&inDrawing, &asExtra}) {
        auto texts = itemsOf<Text>(*s);
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_EQ(texts[0].text, measurement);
        EXPECT_EQ(texts[0].style.color, (kz::Rgb{255, 0, 0}));
        // Above the dimension line, half way along it.
        EXPECT_NEAR(texts[0].position.x, 600, 1e-6);
        EXPECT_GT(texts[0].position.y, 300);
        // Two extension lines and the dimension line, two filled arrowheads.
        EXPECT_GE(itemsOf<Path>(*s).size(), 3u);
        EXPECT_EQ(itemsOf<Fill>(*s).size(), 2u);
    }
    EXPECT_NEAR(itemsOf<Text>(inDrawing)[0].position.y, itemsOf<Text>(asExtra)[0].position.y, 1e-6);
    const Box a = sceneExtents(inDrawing), b = sceneExtents(asExtra);
    EXPECT_NEAR(a.minX, b.minX, 1e-6);
    EXPECT_NEAR(a.maxY, b.maxY, 1e-6);
}
