// Dragging a control onto another: a press on a control with automatic drag starts it, letting go
// over a control that accepts drops it there, and every way a drag can be cut short (Escape, the
// mouse taken away, its form closing, another form going modal) ends it without a drop.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "framework/controls/drag.h"
#include "platform/input.h"
#include "tests/framework/controls/controls_test_support.h"
#include "tests/framework/controls/modal_script.h"

using namespace controlstest;

namespace {

// What the drag told the controls, in order ("over Target enter", "drop Target 10,10").
struct DragLog : TObject {
    std::vector<std::string> events;
    void Over(TObject* sender, TObject*, int, int, TDragState state, bool& accept)
    {
        static const char* const states[] = {"enter", "leave", "move"};
        events.push_back("over " + static_cast<TComponent*>(sender)->Name() + " " + states[state]);
        accept = true;
    }
    void Drop(TObject* sender, TObject*, int x, int y)
    {
        events.push_back(
            "drop " + static_cast<TComponent*>(sender)->Name() + " " + std::to_string(x) + "," + std::to_string(y));
    }
    void End(TObject*, TObject* target, int, int)
    {
        events.push_back(std::string("end on ") + (target ? static_cast<TComponent*>(target)->Name() : "nothing"));
    }
};

struct DragScene {
    DragLog log;
    std::unique_ptr<TTestForm> form{MakeShownForm(300, 200)};
    TTestEdit* source = new TTestEdit(form.get());
    TTestEdit* target = new TTestEdit(form.get());

    DragScene()
    {
        source->SetName("Source");
        source->SetBounds(10, 10, 100, 24);
        source->SetParent(form.get());
        source->SetDragMode(dmAutomatic);
        source->OnEndDrag = TEndDragEvent(&log, &DragLog::End);
        target->SetName("Target");
        target->SetBounds(150, 100, 100, 24);
        target->SetParent(form.get());
        target->OnDragOver = TDragOverEvent(&log, &DragLog::Over);
        target->OnDragDrop = TDragDropEvent(&log, &DragLog::Drop);
        PumpPending();
    }
    // Presses on the source and moves the mouse over the target, 10 pixels into it.
    void DragOntoTarget()
    {
        platform::PinCursorPos(source->ClientToScreen({5, 5}));  // the ApplicationGuard unpins it
        source->PerformMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        POINT over = source->ScreenToClient(target->ClientToScreen({10, 10}));
        source->PerformMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(over.x, over.y));
    }
};

}  // namespace

TEST(Drag, ADragDropsWhereItIsLetGoAndEveryWayOfCuttingItShortEndsItWithoutADrop)
{
    ApplicationGuard guard;
    const std::vector<std::string> dropped{"over Target enter", "drop Target 10,10", "end on Target"},
        cut{"over Target enter", "over Target leave", "end on nothing"};
    struct Case {
        const char* what;
        std::function<void(DragScene&)> end;
        const std::vector<std::string>& events;
    };
    const Case cases[] = {
        {"let go over the target", [](DragScene& s) { s.source->PerformMessage(WM_LBUTTONUP, 0, 0); }, dropped},
        {"Escape", [](DragScene& s) { s.source->PerformMessage(WM_KEYDOWN, VK_ESCAPE, 0); }, cut},
        {"the mouse taken away", [](DragScene& s) { SendMessageA(s.source->WindowHandle(), WM_CANCELMODE, 0, 0); },
         cut},
        {"its form closes", [](DragScene& s) { s.form->CloseForm(); }, cut},
        {"another form goes modal",
         [](DragScene&) {
             std::unique_ptr<TTestForm> modal(new TTestForm(nullptr));
             modal->SetBounds(50, 50, 200, 100);
             ModalScript script({{"close", [](TCustomForm& f) { f.SetModalResult(mrOk); }}});
             modal->ShowFormModal();
             EXPECT_EQ(script.Stall(), "");
         },
         cut},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DragScene scene;
        scene.DragOntoTarget();
        ASSERT_EQ(DragControl(), scene.source);
        EXPECT_EQ(GetCapture(), scene.source->WindowHandle()) << "the mouse is the drag's until it ends";
        c.end(scene);
        EXPECT_EQ(scene.log.events, c.events);
        EXPECT_EQ(DragControl(), nullptr);
        EXPECT_NE(GetCapture(), scene.source->WindowHandle());
    }
}
