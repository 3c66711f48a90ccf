// The screen object: the list of forms, the active form and control, the screen cursor, the
// screen's size and its fonts; and the mouse object.
#pragma once

#include <memory>
#include <vector>

#include "framework/controls/control_types.h"
#include "framework/core/component.h"
#include "framework/core/string_list.h"
#include "platform/win32.h"

class TCustomForm;
class TForm;
class TWinControl;
class TControl;

class TScreen : public TComponent {
    DECLARE_CLASS(TScreen)
public:
    explicit TScreen(TComponent* owner);

    // All forms, and the TForm ones; the most recently focused first.
    int CustomFormCount() const { return static_cast<int>(customForms_.size()); }
    TCustomForm* CustomForms(int index) const;
    // The TForm ones are picked from all forms when asked: a form joins the list from its base
    // constructor, before it is a TForm.
    int FormCount() const;
    TForm* Forms(int index) const;
    void AddForm(TCustomForm* form);
    void RemoveForm(TCustomForm* form);

    TWinControl* ActiveControl() const { return activeControl_; }
    TCustomForm* ActiveCustomForm() const { return activeCustomForm_; }
    TForm* ActiveForm() const { return activeForm_; }
    TCustomForm* FocusedForm() const { return focusedForm_; }
    void SetFocusedForm(TCustomForm* form) { focusedForm_ = form; }
    // The focused form is put aside while a modal box runs and taken back after it; a form that
    // goes away meanwhile comes back as none.
    void SaveFocusedForm() { savedFocusedForms_.push_back(focusedForm_); }
    TCustomForm* TakeSavedFocusedForm();
    TCustomForm* LastActiveCustomForm() const { return lastActiveCustomForm_; }
    TForm* LastActiveForm() const { return lastActiveForm_; }
    // The focus moved to `control` on `form`: both become active and the form moves to the front.
    void FocusMovedTo(TCustomForm* form, TWinControl* control);
    void UpdateLastActive();
    // Forgets every reference to a control that goes away.
    void ControlDestroyed(TControl* control);

    // The screen cursor (crDefault: each control's own), and the system cursor of a cursor value.
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor value);
    // Counts the changes of the screen cursor: a modal loop puts its cursor back only when nothing
    // changed it meanwhile.
    int CursorCount() const { return cursorCount_; }
    HCURSOR Cursors(TCursor cursor) const;

    int Width() const;
    int Height() const;
    int PixelsPerInch() const;

    // The face names of the installed fonts, sorted, read when first asked for.
    TStrings* Fonts();
    // Forgets the font names (fonts were added or removed); the next request reads them again.
    void ResetFonts();

private:
    std::unique_ptr<TStringList> fonts_;
    std::vector<TCustomForm*> customForms_;
    TWinControl* activeControl_ = nullptr;
    TCustomForm* activeCustomForm_ = nullptr;
    TForm* activeForm_ = nullptr;
    TCustomForm* focusedForm_ = nullptr;
    TCustomForm* lastActiveCustomForm_ = nullptr;
    TForm* lastActiveForm_ = nullptr;
    TCursor cursor_ = crDefault;
    int cursorCount_ = 0;
    std::vector<TCustomForm*> savedFocusedForms_;
};

// The mouse: its capture and position, and the wheel settings.
class TMouse : public TObject {
    DECLARE_CLASS(TMouse)
public:
    TMouse();

    HWND Capture() const;
    void SetCapture(HWND window);
    POINT CursorPos() const;
    bool WheelPresent() const { return wheelPresent_; }
    int WheelScrollLines() const { return wheelScrollLines_; }
    // A system setting changed (WM_WININICHANGE's wParam).
    void SettingChanged(unsigned setting);

private:
    bool wheelPresent_ = false;
    int wheelScrollLines_ = 3;
};

extern TScreen* Screen;
extern TMouse* Mouse;

class TFont;
// Gives `font` the screen's hint font, the system's font of status bars and hints (its colour stays).
void AssignHintFont(TFont* font);
// Gives `font` the system's menu font (its colour stays).
void AssignMenuFont(TFont* font);
