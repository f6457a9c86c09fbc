#include "ed_fixture.h"

#include "ed/drag_input.h"

namespace {

using kz::ed::DragEventKind;

TEST_F(EditorTest, DragInputMovesPicksKeywordsAndCancels) {
    script(L"~10,10\n@5,0\nlo\n\n*CANCEL*\n");
    int frames = 0;
    kz::ed::setDragFrameSink([&](const std::vector<const AcDbEntity*>& shown,
                                 const AcGePoint3d& cursor) {
        ++frames;
        EXPECT_TRUE(shown.empty());
        EXPECT_EQ(cursor, AcGePoint3d(1, 2, 0));
    });
    auto e = kz::ed::nextDragEvent(L"\nDrag: ");
    EXPECT_EQ(e.kind, DragEventKind::Move);
    EXPECT_EQ(e.point, AcGePoint3d(10, 10, 0));
    e = kz::ed::nextDragEvent(L"\nDrag: ", true);
    EXPECT_EQ(e.kind, DragEventKind::Pick);
    EXPECT_EQ(e.point, AcGePoint3d(15, 10, 0)); // relative to the cursor's last point
    e = kz::ed::nextDragEvent(L"\nDrag: ", true);
    EXPECT_EQ(e.kind, DragEventKind::Keyword);
    EXPECT_EQ(e.keyword, L"lo"); // as typed: the drag decides what it means
    EXPECT_EQ(kz::ed::nextDragEvent(L"\nDrag: ", true).kind, DragEventKind::Enter);
    EXPECT_EQ(kz::ed::nextDragEvent(L"\nDrag: ", true).kind, DragEventKind::Cancel);
    EXPECT_EQ(kz::ed::nextDragEvent(L"\nDrag: ", true).kind, DragEventKind::Cancel); // ended
    EXPECT_FALSE(line().stopped());
    EXPECT_EQ(transcript(), L"\nDrag: ~10,10\nDrag: @5,0\nDrag: lo\nDrag: \nDrag: *Cancel*\n"
                            L"Drag: *Cancel*\n");
    kz::ed::showDragFrame({}, AcGePoint3d(1, 2, 0));
    EXPECT_EQ(frames, 1);
}

TEST_F(EditorTest, ABadCursorMoveStopsTheScript) {
    script(L"~10\n");
    EXPECT_EQ(kz::ed::nextDragEvent(L"Drag: ").kind, DragEventKind::Cancel);
    EXPECT_EQ(line().error(), L"test.scr:1: expected a cursor move \"~x,y\", got \"~10\"");
}

} // namespace
