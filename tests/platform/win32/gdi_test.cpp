#include "windows.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class Gdi : public testing::Test {
protected:
    void SetUp() override {
        kz::setGdiSink([this](const kz::GdiRecord& r) { records.push_back(r); });
    }
    void TearDown() override { kz::resetHostOptions(); }

    std::vector<kz::GdiOp> ops() const {
        std::vector<kz::GdiOp> out;
        for (const auto& r : records)
            out.push_back(r.op);
        return out;
    }

    std::vector<kz::GdiRecord> records;
};

bool samePoints(const std::vector<POINT>& a, std::initializer_list<POINT> b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](POINT p, POINT q) {
               return p.x == q.x && p.y == q.y;
           });
}

TEST_F(Gdi, RubberBandDrawingIsRecordedCallByCall) {
    auto window = reinterpret_cast<HWND>(std::uintptr_t{0x500});
    HDC dc = GetDC(window);
    ASSERT_NE(dc, nullptr);
    HPEN pen = CreatePen(PS_DOT, 2, RGB(255, 0, 0));
    HBRUSH brush = CreateSolidBrush(RGB(0, 0, 255));
    HGDIOBJ oldPen = SelectObject(dc, pen);
    EXPECT_EQ(oldPen, GetStockObject(BLACK_PEN)); // a new context draws with the black pen
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    EXPECT_EQ(oldBrush, GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(SetROP2(dc, R2_NOT), R2_COPYPEN);
    POINT previous{};
    EXPECT_TRUE(MoveToEx(dc, 10, 20, &previous));
    EXPECT_TRUE(LineTo(dc, 30, 40));
    const POINT triangle[] = {{0, 0}, {10, 0}, {5, 8}};
    EXPECT_TRUE(Polygon(dc, triangle, 3));
    EXPECT_TRUE(Polyline(dc, triangle, 2));
    EXPECT_FALSE(DeleteObject(pen)); // still selected
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    EXPECT_TRUE(DeleteObject(pen));
    EXPECT_TRUE(DeleteObject(brush));
    EXPECT_EQ(ReleaseDC(window, dc), 1);

    using Op = kz::GdiOp;
    EXPECT_EQ(ops(),
              (std::vector<Op>{Op::GetDC, Op::CreatePen, Op::CreateSolidBrush, Op::SelectObject,
                               Op::SelectObject, Op::SetROP2, Op::MoveTo, Op::LineTo, Op::Polygon,
                               Op::Polyline, Op::SelectObject, Op::SelectObject, Op::DeleteObject,
                               Op::DeleteObject, Op::ReleaseDC}));
    const kz::GdiRecord& created = records[1];
    EXPECT_EQ(created.object, pen);
    EXPECT_EQ(created.penColor, RGB(255, 0, 0));
    EXPECT_EQ(created.penStyle, PS_DOT);
    EXPECT_EQ(created.penWidth, 2);
    EXPECT_EQ(records[2].brushColor, RGB(0, 0, 255));

    const kz::GdiRecord& line = records[7];
    EXPECT_EQ(line.window, window);
    EXPECT_EQ(line.dc, dc);
    EXPECT_TRUE(samePoints(line.points, {{10, 20}, {30, 40}}));
    EXPECT_EQ(line.penColor, RGB(255, 0, 0));
    EXPECT_EQ(line.rop2, R2_NOT);
    const kz::GdiRecord& polygon = records[8];
    EXPECT_TRUE(samePoints(polygon.points, {{0, 0}, {10, 0}, {5, 8}}));
    EXPECT_EQ(polygon.brushColor, RGB(0, 0, 255));
    EXPECT_FALSE(polygon.brushHollow);
    EXPECT_STREQ(kz::gdiOpName(line.op), "LineTo");
}

TEST_F(Gdi, CurrentPositionCarriesFromCallToCall) {
    HDC dc = GetDC(nullptr);
    POINT previous{-1, -1};
    MoveToEx(dc, 5, 6, &previous);
    EXPECT_EQ(previous.x, 0); // a new context starts at the origin
    LineTo(dc, 7, 8);
    MoveToEx(dc, 0, 0, &previous);
    EXPECT_EQ(previous.x, 7);
    EXPECT_EQ(previous.y, 8);
    EXPECT_EQ(GetROP2(dc), R2_COPYPEN);
    EXPECT_EQ(ReleaseDC(nullptr, dc), 1);
}

TEST_F(Gdi, DefaultGuiFontFillsALogFont) {
    HGDIOBJ font = GetStockObject(DEFAULT_GUI_FONT);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(GetObjectW(font, 0, nullptr), static_cast<int>(sizeof(LOGFONTW)));
    LOGFONTW lf{};
    EXPECT_EQ(GetObjectW(font, sizeof lf, &lf), static_cast<int>(sizeof lf));
    EXPECT_STREQ(lf.lfFaceName, L"Default GUI");
    EXPECT_LT(lf.lfHeight, 0);
    EXPECT_EQ(lf.lfWeight, FW_NORMAL);
    // Code written for Windows copies 92 bytes: the face name still arrives whole.
    LOGFONTW cut{};
    EXPECT_EQ(GetObjectW(font, 92, &cut), 92);
    EXPECT_STREQ(cut.lfFaceName, L"Default GUI");

    LOGFONTW product{};
    product.lfHeight = -20;
    wcscpy_s(product.lfFaceName, L"ＭＳ ゴシック");
    kz::setDefaultGuiFont(product);
    EXPECT_EQ(GetObjectW(font, sizeof lf, &lf), static_cast<int>(sizeof lf));
    EXPECT_STREQ(lf.lfFaceName, L"ＭＳ ゴシック");
    EXPECT_EQ(lf.lfHeight, -20);
}

TEST_F(Gdi, PensAndBrushesDescribeThemselves) {
    HPEN pen = CreatePen(PS_SOLID, 3, RGB(1, 2, 3));
    LOGPEN lp{};
    EXPECT_EQ(GetObjectW(pen, sizeof lp, &lp), static_cast<int>(sizeof lp));
    EXPECT_EQ(lp.lopnColor, RGB(1, 2, 3));
    EXPECT_EQ(lp.lopnWidth.x, 3);
    LOGBRUSH lb{};
    EXPECT_EQ(GetObjectW(GetStockObject(NULL_BRUSH), sizeof lb, &lb), static_cast<int>(sizeof lb));
    EXPECT_EQ(lb.lbStyle, static_cast<UINT>(BS_NULL));
    EXPECT_TRUE(DeleteObject(pen));
    EXPECT_TRUE(DeleteObject(GetStockObject(BLACK_PEN))); // stock objects survive it
    EXPECT_NE(GetObjectW(GetStockObject(BLACK_PEN), sizeof lp, &lp), 0);
}

TEST_F(Gdi, InvalidHandlesFailWithoutDrawing) {
    auto bogusDc = reinterpret_cast<HDC>(std::uintptr_t{0x1234});
    auto bogusObject = reinterpret_cast<HGDIOBJ>(std::uintptr_t{0x5678});
    EXPECT_FALSE(LineTo(bogusDc, 1, 1));
    EXPECT_FALSE(MoveToEx(bogusDc, 1, 1, nullptr));
    EXPECT_EQ(SelectObject(bogusDc, GetStockObject(BLACK_PEN)), nullptr);
    EXPECT_EQ(SetROP2(bogusDc, R2_NOT), 0);
    EXPECT_EQ(ReleaseDC(nullptr, bogusDc), 0);
    EXPECT_FALSE(DeleteObject(bogusObject));
    EXPECT_EQ(GetObjectW(bogusObject, 4, nullptr), 0);
    EXPECT_EQ(GetStockObject(9), nullptr);
    EXPECT_EQ(GetStockObject(99), nullptr);
    HDC dc = GetDC(nullptr);
    const POINT one[] = {{0, 0}};
    EXPECT_FALSE(Polyline(dc, one, 1));
    EXPECT_FALSE(Polygon(dc, nullptr, 3));
    EXPECT_EQ(SelectObject(dc, bogusObject), nullptr);
    ReleaseDC(nullptr, dc);
    EXPECT_FALSE(LineTo(dc, 1, 1)); // released
    using Op = kz::GdiOp;
    EXPECT_EQ(ops(), (std::vector<Op>{Op::GetDC, Op::ReleaseDC}));
}

} // namespace
