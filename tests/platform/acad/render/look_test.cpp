// Colours resolved by entity, layer and block; layers that are off or frozen hidden.
#include "render_fixture.h"

using namespace kz::render;

namespace {
const kz::Rgb kBlack{0, 0, 0}, kWhite{255, 255, 255}, kRed{255, 0, 0}, kGreen{0, 255, 0},
    kBlue{0, 0, 255}, kCyan{0, 255, 255};

AcDbLine* lineAt(double y) {
    return new AcDbLine(AcGePoint3d(0, y, 0), AcGePoint3d(1, y, 0));
}

// The colour of the path whose first point has this y.
std::optional<kz::Rgb> colorOfLineAt(const Scene& s, double y) {
    for (const auto& item : s.items)
        if (const auto* p = std::get_if<Path>(&item))
            if (!p->points.empty() && std::abs(p->points[0].y - y) < 1e-9)
                return p->color;
    return std::nullopt;
}
} // namespace

TEST_F(RenderTest, ColoursComeFromEntityLayerAndReference) {
    addLayer(L"BLUE", 5);
    addLayer(L"GREEN", 3);
    // Inside the block: by block, by layer on layer 0, by layer on a layer of its own,
    // and a colour of its own.
    AcDbObjectId block = addBlock(L"B", AcGePoint3d::kOrigin,
                                  {on(lineAt(1), L"0", byBlock()), on(lineAt(2), L"0"),
                                   on(lineAt(3), L"GREEN"), on(lineAt(4), L"0", color(4))});
    // A red reference on the blue layer, and a by-layer one on the green layer.
    add(on(reference(block, AcGePoint3d(0, 0, 0)), L"BLUE", color(1)));
    add(on(reference(block, AcGePoint3d(0, 100, 0)), L"GREEN"));
    // At the top level: by block and index 7 are the foreground colour.
    add(on(lineAt(200), L"0", byBlock()));
    add(on(lineAt(201), L"0", color(7)));
    auto* trueColor = lineAt(202);
    AcCmColor rgb;
    rgb.setRGB(10, 20, 30);
    trueColor->setColor(rgb);
    add(trueColor);

    Scene s = scene();
    EXPECT_EQ(colorOfLineAt(s, 1), kRed);     // by block: the reference's colour
    EXPECT_EQ(colorOfLineAt(s, 2), kBlue);    // layer 0 inherits the reference's layer
    EXPECT_EQ(colorOfLineAt(s, 3), kGreen);   // its own layer
    EXPECT_EQ(colorOfLineAt(s, 4), kCyan);    // its own colour
    EXPECT_EQ(colorOfLineAt(s, 101), kGreen); // by block of a by-layer reference
    EXPECT_EQ(colorOfLineAt(s, 102), kGreen);
    EXPECT_EQ(colorOfLineAt(s, 200), kBlack);
    EXPECT_EQ(colorOfLineAt(s, 201), kBlack);
    EXPECT_EQ(colorOfLineAt(s, 202), (kz::Rgb{10, 20, 30}));

    RenderOptions dark;
    dark.background = Background::Dark;
    Scene d = scene(dark);
    EXPECT_EQ(colorOfLineAt(d, 200), kWhite);
    EXPECT_EQ(colorOfLineAt(d, 201), kWhite);
    EXPECT_EQ(colorOfLineAt(d, 1), kRed);
}

TEST_F(RenderTest, ByBlockPassesThroughNestedReferences) {
    AcDbObjectId inner = addBlock(L"INNER", AcGePoint3d::kOrigin, {on(lineAt(1), L"0", byBlock())});
    // The inner reference is by block itself: it takes the outer one's colour.
    AcDbObjectId outer = addBlock(L"OUTER", AcGePoint3d::kOrigin,
                                  {on(reference(inner, AcGePoint3d(0, 0, 0)), L"0", byBlock()),
                                   on(reference(inner, AcGePoint3d(0, 10, 0)), L"0", color(5))});
    add(on(reference(outer, AcGePoint3d(0, 0, 0)), L"0", color(1)));

    Scene s = scene();
    EXPECT_EQ(colorOfLineAt(s, 1), kRed);
    EXPECT_EQ(colorOfLineAt(s, 11), kBlue);
}

TEST_F(RenderTest, LayersThatAreOffOrFrozenAreHidden) {
    addLayer(L"OFF", 1, true);
    addLayer(L"FROZEN", 2, false, true);
    addLayer(L"SHOWN", 3);
    add(on(lineAt(1), L"OFF"));
    add(on(lineAt(2), L"FROZEN"));
    add(on(lineAt(3), L"SHOWN"));
    auto* invisible = on(lineAt(4), L"SHOWN");
    invisible->setVisibility(AcDb::kInvisible);
    add(invisible);

    // A block with one line on layer 0 and one on a shown layer of its own.
    AcDbObjectId block =
        addBlock(L"B", AcGePoint3d::kOrigin, {on(lineAt(10), L"0"), on(lineAt(11), L"SHOWN")});
    // On a layer that is off, the reference still shows what lies on other layers;
    // on a frozen layer nothing of it shows.
    add(on(reference(block, AcGePoint3d(0, 100, 0)), L"OFF"));
    add(on(reference(block, AcGePoint3d(0, 200, 0)), L"FROZEN"));

    Scene s = scene();
    EXPECT_FALSE(colorOfLineAt(s, 1));
    EXPECT_FALSE(colorOfLineAt(s, 2));
    EXPECT_TRUE(colorOfLineAt(s, 3));
    EXPECT_FALSE(colorOfLineAt(s, 4));
    EXPECT_FALSE(colorOfLineAt(s, 110));
    EXPECT_TRUE(colorOfLineAt(s, 111));
    EXPECT_FALSE(colorOfLineAt(s, 210));
    EXPECT_FALSE(colorOfLineAt(s, 211));
    // Hidden entities get no group in the picture.
    EXPECT_EQ(s.entitiesDrawn, 2);
}

TEST_F(RenderTest, AttributesFollowTheReferenceLayerAndHideWhenInvisible) {
    addLayer(L"OFF", 1, true);
    addLayer(L"TAGS", 2);
    AcDbObjectId block = addBlock(L"B", AcGePoint3d::kOrigin, {lineAt(0)});
    auto addAttribute = [&](AcDbObjectId refId, const wchar_t* text, const wchar_t* layer,
                            bool invisible) {
        AcDbBlockReference* ref = nullptr;
        ASSERT_EQ(acdbOpenObject(ref, refId, AcDb::kForWrite), Acad::eOk);
        auto* att = new AcDbAttribute(AcGePoint3d(0, 5, 0), text, L"TAG");
        att->setDatabaseDefaults(db.get());
        att->setLayer(layer);
        att->setInvisible(invisible);
        ASSERT_EQ(ref->appendAttribute(att), Acad::eOk);
        att->close();
        ref->close();
    };
    AcDbObjectId shown = add(on(reference(block, AcGePoint3d(0, 0, 0)), L"0", color(4)));
    addAttribute(shown, L"BYBLOCK", L"0", false);
    addAttribute(shown, L"HIDDEN", L"0", true);
    AcDbObjectId off = add(on(reference(block, AcGePoint3d(0, 0, 0)), L"OFF"));
    addAttribute(off, L"ON-LAYER-0", L"0", false);
    addAttribute(off, L"OWN-LAYER", L"TAGS", false);

    std::vector<std::wstring> seen;
    for (const auto& t : itemsOf<Text>(scene()))
        seen.push_back(t.text);
    EXPECT_EQ(seen, (std::vector<std::wstring>{L"BYBLOCK", L"OWN-LAYER"}));
}

TEST_F(RenderTest, DefpointsLayerIsLeftOutUnlessAsked) {
    addLayer(L"Defpoints", 7);
    add(on(new AcDbPoint(AcGePoint3d(3, 4, 0)), L"Defpoints"));
    EXPECT_TRUE(itemsOf<Mark>(scene()).empty());
    RenderOptions all;
    all.showDefpoints = true;
    auto marks = itemsOf<Mark>(scene(all));
    ASSERT_EQ(marks.size(), 1u);
    expectNear(marks[0].position, 3, 4);
}
