// Dragging one control onto another: the running drag, the control under the cursor and its
// answer, the drop and the end, and the controls' own drag steps.
#include "framework/controls/drag.h"

#include "framework/controls/control.h"
#include "framework/controls/screen.h"
#include "framework/controls/win_control.h"
#include "platform/input.h"
#include "platform/window.h"

namespace {

struct RunningDrag {
    TControl* source = nullptr;
    TControl* target = nullptr;  // the control under the cursor
    bool accepted = false;       // its last answer
    POINT cursor{0, 0};          // screen coordinates
};

RunningDrag running;

// Asks `target` whether it takes the control dragged; false when the drag ended meanwhile.
bool Ask(TControl* target, TDragState state)
{
    TControl* source = running.source;
    POINT local = target->ScreenToClient(running.cursor);
    bool accept = false;
    target->DragOver(source, local.x, local.y, state, accept);
    return running.source == source && accept;
}

void ShowDragCursor()
{
    if (Screen)
        platform::SetCursor(Screen->Cursors(running.accepted ? crArrow : crNo));
}

}  // namespace

TControl* DragControl() { return running.source; }

void CancelDrag()
{
    if (running.source)
        running.source->EndDrag(false);
}

void CancelDragWithin(const TControl* root)
{
    auto inside = [root](const TControl* control) {
        if (!control)
            return false;
        if (control == root)
            return true;
        auto* windowed = dynamic_cast<const TWinControl*>(root);
        return windowed && windowed->ContainsControl(control);
    };
    if (inside(running.source) || inside(running.target))
        CancelDrag();
}

namespace drag_internal {

void MoveTo(POINT screenPoint)
{
    TControl* source = running.source;
    if (!source)
        return;
    running.cursor = screenPoint;
    TControl* target = FindDragTarget(screenPoint, false);
    if (target != running.target) {
        if (TControl* left = running.target) {
            running.target = nullptr;
            running.accepted = false;
            Ask(left, dsDragLeave);
            if (running.source != source)
                return;
        }
        running.target = target;
        running.accepted = target && Ask(target, dsDragEnter);
    } else if (target) {
        running.accepted = Ask(target, dsDragMove);
    }
    if (running.source == source)
        ShowDragCursor();
}

void Forget(const TControl* control)
{
    if (running.source == control)
        running = RunningDrag{};
    else if (running.target == control)
        running = RunningDrag{running.source, nullptr, false, running.cursor};
}

}  // namespace drag_internal

// ---- The controls' steps ----

bool TControl::Dragging() const { return running.source == this; }

void TControl::BeginDrag()
{
    if (running.source)
        return;
    running = RunningDrag{this, nullptr, false, platform::CursorPos()};
    // The capture brings every mouse message of the drag to this control, wherever the cursor is.
    SetMouseCapture(true);
    drag_internal::MoveTo(running.cursor);
}

void TControl::EndDrag(bool drop)
{
    if (running.source != this)
        return;
    RunningDrag ended = running;
    running = RunningDrag{};
    if (MouseCapture())
        SetMouseCapture(false);
    TControl* target = nullptr;
    POINT at{0, 0};
    if (ended.target) {
        at = ended.target->ScreenToClient(ended.cursor);
        if (drop && ended.accepted) {
            target = ended.target;
            target->DragDrop(this, at.x, at.y);
        } else {
            bool accept = false;
            ended.target->DragOver(this, at.x, at.y, dsDragLeave, accept);
            at = {0, 0};
        }
    }
    DoEndDrag(target, at.x, at.y);
}

void TControl::DragOver(TObject* source, int x, int y, TDragState state, bool& accept)
{
    accept = static_cast<bool>(OnDragOver);
    if (OnDragOver)
        OnDragOver(this, source, x, y, state, accept);
}

void TControl::DragDrop(TObject* source, int x, int y)
{
    if (OnDragDrop)
        OnDragDrop(this, source, x, y);
}

void TControl::DoEndDrag(TObject* target, int x, int y)
{
    if (OnEndDrag)
        OnEndDrag(this, target, x, y);
}
