// How a framework window reaches its object.
#include "framework/controls/window_proc.h"

#include "framework/controls/win_control.h"
#include "framework/core/format.h"
#include "platform/module.h"
#include "platform/window.h"

namespace {

struct ControlAtoms {
    ATOM control = 0;
    ATOM window = 0;
    UINT objectMessage = 0;
};

ControlAtoms& Atoms()
{
    static ControlAtoms atoms;
    return atoms;
}

TWinControl* creationControl = nullptr;

}  // namespace

void RegisterControlAtoms()
{
    ControlAtoms& atoms = Atoms();
    if (atoms.control)
        return;
    std::string windowName = Format("Orvane%.8X", {static_cast<unsigned>(platform::ProcessId())});
    std::string controlName = Format(
        "ControlOfs%.8X%.8X",
        {static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(platform::MainInstance())),
         static_cast<unsigned>(platform::CurrentThreadId())});
    atoms.window = platform::GlobalAddAtom(windowName);
    atoms.control = platform::GlobalAddAtom(controlName);
    atoms.objectMessage = platform::RegisterWindowMessage(controlName);
}

void UnregisterControlAtoms()
{
    ControlAtoms& atoms = Atoms();
    if (atoms.control)
        platform::GlobalDeleteAtom(atoms.control);
    if (atoms.window)
        platform::GlobalDeleteAtom(atoms.window);
    atoms = {};
}

ATOM ControlAtom()
{
    RegisterControlAtoms();
    return Atoms().control;
}

ATOM WindowAtom()
{
    RegisterControlAtoms();
    return Atoms().window;
}

UINT ObjectInstanceMessage()
{
    RegisterControlAtoms();
    return Atoms().objectMessage;
}

void SetCreationControl(TWinControl* control) { creationControl = control; }

TWinControl* CreationControl() { return creationControl; }

LRESULT CALLBACK InitWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    TWinControl* control = creationControl;
    if (!control)  // a window of a framework class made outside the framework
        return platform::DefWindowProc(window, message, wParam, lParam);
    creationControl = nullptr;
    control->AttachHandle(window);
    return ControlWindowProc(window, message, wParam, lParam);
}

LRESULT CALLBACK ControlWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* control = static_cast<TWinControl*>(platform::GetProp(window, ControlAtom()));
    if (!control)
        return platform::DefWindowProc(window, message, wParam, lParam);
    TMessage m{message, wParam, lParam, 0};
    control->MainWndProc(m);
    return m.Result;
}

HWND FrameworkWindowFromPoint(POINT point)
{
    HWND window = platform::WindowFromPoint(point);
    while (window && !platform::GetProp(window, WindowAtom()))
        window = (platform::WindowLong(window, GWL_STYLE) & WS_CHILD) ? platform::ParentWindow(window) : nullptr;
    return window;
}

TWinControl* FindControl(HWND window)
{
    if (!window || platform::WindowProcessId(window) != platform::ProcessId())
        return nullptr;
    if (void* own = platform::GetProp(window, ControlAtom()))
        return static_cast<TWinControl*>(own);
    if (platform::GetProp(window, WindowAtom()))
        return reinterpret_cast<TWinControl*>(platform::SendMessage(window, ObjectInstanceMessage(), 0, 0));
    return nullptr;
}
