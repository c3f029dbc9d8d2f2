#include "ui/DragSession.h"

#include <cstdlib>
#include <memory>

#include "ui/Backend.h"
#include "ui/Control.h"

namespace ui {

namespace {

// The platform's usual distance before a press becomes a drag.
constexpr int DefaultThreshold = 5;

struct Session {
    TControl* Source = nullptr;
    TPoint Start;  // screen point where the drag was armed
    TPoint Last;   // screen point the pointer was last seen at
    int Threshold = DefaultThreshold;
    bool Active = false;
    TControl* Target = nullptr;
    bool Accepted = false;
};

Session session;

void SetCapture(TControl* control, bool capture) {
    if (auto* win = dynamic_cast<TWinControl*>(control); win && win->Peer()) win->Peer()->SetCapture(capture);
}

// Moves the drag to a screen point: leave the old target, enter or move over the new one.
void DragTo(TPoint screen) {
    TControl* target = GetBackend().ControlAt(screen);
    // Over a child without a widget of its own, the drag is that child's.
    if (target) {
        if (TControl* child = target->ControlAtPoint(target->ScreenToClient(screen))) target = child;
    }
    const auto sourceAlive = session.Source->Lifetime();
    if (target != session.Target && session.Target) {
        bool ignored = false;
        TControl* old = session.Target;
        session.Target = nullptr;
        const TPoint at = old->ScreenToClient(screen);
        old->DragOver(session.Source, at.X, at.Y, dsDragLeave, ignored);
        if (!*sourceAlive || !session.Source) return;
    }
    const bool entering = target != session.Target;
    session.Target = target;
    session.Accepted = false;
    if (target) {
        const auto targetAlive = target->Lifetime();
        bool accept = false;
        const TPoint at = target->ScreenToClient(screen);
        target->DragOver(session.Source, at.X, at.Y, entering ? dsDragEnter : dsDragMove, accept);
        if (!*sourceAlive || !session.Source) return;
        if (!*targetAlive) session.Target = nullptr;
        session.Accepted = accept && session.Target;
    }
    GetBackend().SetDragCursor(session.Accepted ? TDragCursor::Drag : TDragCursor::NoDrop);
}

void Activate(TPoint screen) {
    session.Active = true;
    const auto alive = session.Source->Lifetime();
    session.Source->DoStartDrag();
    if (*alive && session.Source) DragTo(screen);
}

}  // namespace

namespace DragSession {

void Begin(TControl* source, bool immediate, int threshold) {
    if (session.Source) return;  // one drag at a time
    session = Session{};
    session.Source = source;
    session.Threshold = threshold < 0 ? DefaultThreshold : threshold;
    session.Start = session.Last = GetBackend().CursorPos();
    SetCapture(source, true);
    if (immediate) Activate(session.Start);
}

void End(TControl* source, bool drop) {
    if (!source || session.Source != source) return;
    const Session ended = session;
    session = Session{};
    SetCapture(source, false);
    GetBackend().SetDragCursor(TDragCursor::Arrow);
    if (!ended.Active) return;  // armed only: nothing was dragged
    const TPoint screen = ended.Last;
    TControl* target = drop && ended.Accepted ? ended.Target : nullptr;
    const auto alive = source->Lifetime();
    TPoint at{};
    if (target) {
        at = target->ScreenToClient(screen);
        target->DragDrop(source, at.X, at.Y);
    } else if (ended.Target) {
        bool ignored = false;
        const TPoint leave = ended.Target->ScreenToClient(screen);
        ended.Target->DragOver(source, leave.X, leave.Y, dsDragLeave, ignored);
    }
    if (*alive) source->DoEndDrag(target, at.X, at.Y);
}

bool Active(const TControl* source) { return source && session.Source == source && session.Active; }
bool Pending(const TControl* source) { return source && session.Source == source && !session.Active; }

bool SourceMoved(TControl* source, int x, int y) {
    if (!source || session.Source != source) return false;
    const TPoint screen = source->ClientToScreen({x, y});
    session.Last = screen;
    if (!session.Active) {
        if (std::abs(screen.X - session.Start.X) <= session.Threshold &&
            std::abs(screen.Y - session.Start.Y) <= session.Threshold)
            return false;
        Activate(screen);
        return true;
    }
    DragTo(screen);
    return true;
}

bool SourceReleased(TControl* source, int x, int y) {
    if (!source || session.Source != source) return false;
    if (!session.Active) {
        // Armed only: the release is a plain one, and the widget lets the mouse go after it as
        // after any press (letting it go here would cost the press its click).
        session = Session{};
        return false;
    }
    session.Last = source->ClientToScreen({x, y});
    const bool wasActive = session.Active;
    // The drop goes where the button came up, should the last move have been elsewhere.
    if (wasActive) {
        const auto alive = source->Lifetime();
        DragTo(session.Last);
        if (!*alive || session.Source != source) return true;
    }
    End(source, true);
    return wasActive;
}

void ControlGone(const TControl* control) {
    if (session.Target == control) {
        session.Target = nullptr;
        session.Accepted = false;
    }
    if (session.Source == control) {
        session = Session{};
        GetBackend().SetDragCursor(TDragCursor::Arrow);
    }
}

TControl* Target() { return session.Target; }

}  // namespace DragSession

// ---- the control's side ---------------------------------------------------------------------

void TControl::BeginDrag(bool Immediate, int Threshold) { DragSession::Begin(this, Immediate, Threshold); }
void TControl::EndDrag(bool Drop) { DragSession::End(this, Drop); }
bool TControl::Dragging() const { return DragSession::Active(this); }

void TControl::DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) {
    // Without a handler nothing is accepted; a handler starts from yes and may say no.
    Accept = static_cast<bool>(OnDragOver);
    if (OnDragOver) OnDragOver(this, Source, X, Y, State, Accept);
}

void TControl::DragDrop(TObject* Source, int X, int Y) {
    if (OnDragDrop) OnDragDrop(this, Source, X, Y);
}

void TControl::DoStartDrag() {
    if (OnStartDrag) OnStartDrag(this);
}

void TControl::DoEndDrag(TObject* Target, int X, int Y) {
    if (OnEndDrag) OnEndDrag(this, Target, X, Y);
}

}  // namespace ui
