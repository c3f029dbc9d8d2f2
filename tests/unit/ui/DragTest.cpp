// Dragging between controls: the threshold, entering and leaving targets, drops, and the ways a
// drag ends without one.
#include <gtest/gtest.h>

#include "ui/DragSession.h"
#include "ui/Form.h"
#include "ui/headless/HeadlessBackend.h"

using namespace ui;
using headless::Headless;
using headless::PeerOf;

namespace {
struct Scene : TForm {
    Scene() : TForm(nullptr) {
        SetBorderStyle(bsNone);
        SetBounds(100, 50, 400, 300);
        Source = Add(10, 10);
        Target = Add(200, 10);
        Show();
        // The source arms a drag on each left press, as a list or tree does.
        Source->OnMouseDown = [this](TObject*, TMouseButton button, TShiftState, int x, int y) {
            if (button != mbLeft) return;
            Headless().Cursor = Source->ClientToScreen({x, y});
            Source->BeginDrag(false, Threshold);
        };
        Source->OnStartDrag = [this](TObject*) { ++Starts; };
        Source->OnEndDrag = [this](TObject*, TObject* target, int, int) { Ended.push_back(target); };
        Target->OnDragOver = [this](TObject*, TObject* source, int x, int y, TDragState state, bool& accept) {
            Overs.push_back(state);
            LastOver = {x, y};
            accept = source == Source && Accepting;
        };
        Target->OnDragDrop = [this](TObject*, TObject* source, int x, int y) {
            Drops.push_back({x, y});
            DroppedFrom = source;
        };
    }
    TCustomControl* Add(int left, int top) {
        auto* c = new TCustomControl(this);
        c->SetParent(this);
        c->SetBounds(left, top, 100, 100);
        return c;
    }
    // Source client point that lies over the target's client point (x, y).
    TPoint OverTarget(int x, int y) const { return {Target->Left() - Source->Left() + x, Target->Top() - Source->Top() + y}; }

    TCustomControl* Source;
    TCustomControl* Target;
    int Threshold = 10;
    bool Accepting = true;
    int Starts = 0;
    std::vector<TObject*> Ended;
    std::vector<TDragState> Overs;
    std::vector<TPoint> Drops;
    TPoint LastOver;
    TObject* DroppedFrom = nullptr;
};
}  // namespace

TEST(Drag, BeginsBeyondTheThresholdAndDropsOnAnAcceptingTarget) {
    Scene s;
    auto& source = PeerOf(*s.Source);
    int moves = 0;
    s.Source->OnMouseMove = [&](TObject*, TShiftState, int, int) { ++moves; };
    source.Press(20, 20);
    source.MoveTo(30, 30);  // ten pixels: still a press
    EXPECT_EQ(s.Starts, 0);
    EXPECT_FALSE(s.Source->Dragging());
    EXPECT_EQ(moves, 1);    // below the threshold the control still sees its moves
    source.MoveTo(31, 20);  // eleven: the drag begins
    EXPECT_EQ(s.Starts, 1);
    EXPECT_TRUE(s.Source->Dragging());
    EXPECT_EQ(moves, 1);
    EXPECT_EQ(Headless().DragCursor, TDragCursor::NoDrop);  // over itself, which takes nothing
    const TPoint over = s.OverTarget(40, 50);
    source.MoveTo(over.X, over.Y);
    source.MoveTo(over.X + 1, over.Y);
    EXPECT_EQ(s.Overs, (std::vector<TDragState>{dsDragEnter, dsDragMove}));
    EXPECT_EQ(s.LastOver, (TPoint{41, 50}));
    EXPECT_EQ(Headless().DragCursor, TDragCursor::Drag);
    source.Release(over.X + 2, over.Y + 3);
    ASSERT_EQ(s.Drops.size(), 1u);
    EXPECT_EQ(s.Drops[0], (TPoint{42, 53}));
    EXPECT_EQ(s.DroppedFrom, s.Source);
    EXPECT_EQ(s.Ended, (std::vector<TObject*>{s.Target}));
    EXPECT_FALSE(s.Source->Dragging());
    EXPECT_FALSE(source.Captured);
    EXPECT_EQ(Headless().DragCursor, TDragCursor::Arrow);
}

TEST(Drag, EndsWithoutADropWhenRefusedCancelledOrInterrupted) {
    Scene s;
    auto& source = PeerOf(*s.Source);
    const TPoint over = s.OverTarget(10, 10);
    // A target that refuses: the release ends the drag with no target.
    s.Accepting = false;
    source.Press(20, 20);
    source.MoveTo(over.X, over.Y);
    source.Release(over.X, over.Y);
    EXPECT_TRUE(s.Drops.empty());
    EXPECT_EQ(s.Ended, (std::vector<TObject*>{nullptr}));
    EXPECT_EQ(s.Overs.back(), dsDragLeave);
    // Escape over an accepting target.
    s.Accepting = true;
    source.Press(20, 20);
    source.MoveTo(over.X, over.Y);
    EXPECT_TRUE(source.KeyDown(vkEscape));
    EXPECT_FALSE(s.Source->Dragging());
    source.Release(over.X, over.Y);
    EXPECT_TRUE(s.Drops.empty());
    // The mouse taken away by another window.
    source.Press(20, 20);
    source.MoveTo(over.X, over.Y);
    PeerOf(*s.Target).SetCapture(true);
    EXPECT_FALSE(s.Source->Dragging());
    EXPECT_TRUE(s.Drops.empty());
    EXPECT_EQ(s.Ended.size(), 3u);
    // A press that never went beyond the threshold ends as a plain click.
    int clicks = 0;
    s.Source->OnClick = [&](TObject*) { ++clicks; };
    source.ClickAt(20, 20);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(s.Ended.size(), 3u);
    EXPECT_EQ(s.Starts, 3);
}

TEST(Drag, ATargetOrSourceFreedDuringTheDragLeavesNothingBehind) {
    Scene s;
    auto& source = PeerOf(*s.Source);
    const TPoint over = s.OverTarget(10, 10);
    source.Press(20, 20);
    source.MoveTo(over.X, over.Y);
    EXPECT_EQ(DragSession::Target(), s.Target);
    delete s.Target;
    EXPECT_EQ(DragSession::Target(), nullptr);
    source.Release(over.X, over.Y);
    EXPECT_EQ(s.Ended, (std::vector<TObject*>{nullptr}));
    // The source freed while it drags: the next drag of another control works.
    source.Press(20, 20);
    source.MoveTo(over.X, over.Y);
    delete s.Source;
    EXPECT_EQ(Headless().DragCursor, TDragCursor::Arrow);
    auto* other = s.Add(10, 150);
    int starts = 0;
    other->OnStartDrag = [&](TObject*) { ++starts; };
    other->BeginDrag(true);
    EXPECT_EQ(starts, 1);
    EXPECT_TRUE(other->Dragging());
    other->EndDrag(false);
    EXPECT_FALSE(other->Dragging());
}
