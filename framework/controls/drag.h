// Dragging one control onto another with the mouse. A press on a control with automatic drag (or
// BeginDrag) starts it; the control under the cursor is asked whether it accepts the control
// dragged (OnDragOver), letting go drops it there (OnDragDrop), and the control dragged hears how it
// ended (OnEndDrag, with no target when nothing took it). One drag runs at a time; a form that
// closes or goes modal cancels it, and so do Escape and a lost mouse capture.
#pragma once

#include "framework/core/event.h"
#include "platform/win32.h"

class TControl;

// How the cursor moves relative to the control asked: it came in, it left, it moved inside.
enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };

// Sender is the control under the cursor, Source the control dragged; Accept starts true when the
// handler is assigned (a control without one accepts nothing).
using TDragOverEvent = TEvent<TObject*, TObject*, int, int, TDragState, bool&>;
using TDragDropEvent = TEvent<TObject*, TObject*, int, int>;
// Sender is the control dragged; Target the control it was dropped on, or none.
using TEndDragEvent = TEvent<TObject*, TObject*, int, int>;

// The control being dragged, none outside a drag.
TControl* DragControl();
// Ends the running drag without a drop (OnEndDrag with no target); nothing when none runs.
void CancelDrag();
// Cancels the running drag when its control or the control under the cursor lies inside `root`.
void CancelDragWithin(const TControl* root);

namespace drag_internal {
// The drag follows the cursor to this screen point.
void MoveTo(POINT screenPoint);
// A control goes away: a drag it takes part in forgets it without calling it.
void Forget(const TControl* control);
}  // namespace drag_internal
