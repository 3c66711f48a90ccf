// How a framework window reaches its object: the window atoms under which every framework window
// stores its control, the first-message procedure that attaches a new window to the control being
// created, the procedure every later message goes through, and finding the control of a window.
#pragma once

#include "platform/win32.h"

class TWinControl;

// The control atom "ControlOfs%.8X%.8X" (module instance, GUI thread) and the window atom
// "Orvane%.8X" (process), registered once; the registered message named like the control atom
// asks a window of this process for its object.
ATOM ControlAtom();
ATOM WindowAtom();
UINT ObjectInstanceMessage();
void RegisterControlAtoms();
void UnregisterControlAtoms();

// The class procedure of every framework window class: the first message of a new window attaches
// it to the control being created, then hands on to ControlWindowProc.
LRESULT CALLBACK InitWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Every later message: finds the control through the window property and calls its main handler.
LRESULT CALLBACK ControlWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The control being created (one at a time, on the GUI thread).
void SetCreationControl(TWinControl* control);
TWinControl* CreationControl();

// The framework window under a screen point: the window there, or the nearest window it lies in
// (a window of another kind inside a framework control counts as that control's). Asks no window
// anything, so any thread may call it.
HWND FrameworkWindowFromPoint(POINT point);

// The framework control that owns `window`; none for a window of another process or no framework
// control. A window of another module of this process is asked with the registered message.
TWinControl* FindControl(HWND window);
