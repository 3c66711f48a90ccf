// The screen object and the mouse object.
#include "framework/controls/screen.h"

#include <algorithm>

#include "framework/controls/form.h"
#include "framework/core/class_info.h"
#include "framework/graphics/font.h"
#include "framework/graphics/graphics_object.h"
#include "platform/input.h"
#include "platform/screen.h"
#include "platform/window.h"

const TClassInfo& TScreen::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TScreen, TComponent>("TScreen").Build();
    return info;
}

TScreen::TScreen(TComponent* owner) : TComponent(owner) {}

TCustomForm* TScreen::CustomForms(int index) const
{
    return index >= 0 && index < CustomFormCount() ? customForms_[index] : nullptr;
}

int TScreen::FormCount() const
{
    return static_cast<int>(std::count_if(customForms_.begin(), customForms_.end(), [](TCustomForm* form) {
        return dynamic_cast<TForm*>(form) != nullptr;
    }));
}

TForm* TScreen::Forms(int index) const
{
    for (TCustomForm* form : customForms_)
        if (auto* plain = dynamic_cast<TForm*>(form); plain && index-- == 0)
            return plain;
    return nullptr;
}

void TScreen::AddForm(TCustomForm* form) { customForms_.push_back(form); }

void TScreen::RemoveForm(TCustomForm* form)
{
    std::erase(customForms_, form);
    if (activeCustomForm_ == form)
        activeCustomForm_ = nullptr;
    if (activeForm_ == form)
        activeForm_ = nullptr;
    if (focusedForm_ == form)
        focusedForm_ = nullptr;
    if (lastActiveCustomForm_ == form)
        lastActiveCustomForm_ = nullptr;
    if (lastActiveForm_ == form)
        lastActiveForm_ = nullptr;
    if (activeControl_ && form->ContainsControl(activeControl_))
        activeControl_ = nullptr;
    std::replace(savedFocusedForms_.begin(), savedFocusedForms_.end(), form, static_cast<TCustomForm*>(nullptr));
}

TCustomForm* TScreen::TakeSavedFocusedForm()
{
    if (savedFocusedForms_.empty())
        return nullptr;
    TCustomForm* form = savedFocusedForms_.back();
    savedFocusedForms_.pop_back();
    return form;
}

void TScreen::FocusMovedTo(TCustomForm* form, TWinControl* control)
{
    activeControl_ = control;
    activeCustomForm_ = form;
    std::erase(customForms_, form);
    customForms_.insert(customForms_.begin(), form);
    if (auto* plain = dynamic_cast<TForm*>(form)) {
        activeForm_ = plain;
    } else {
        activeForm_ = nullptr;
    }
}

void TScreen::UpdateLastActive()
{
    if (activeCustomForm_ && activeCustomForm_ != lastActiveCustomForm_)
        lastActiveCustomForm_ = activeCustomForm_;
    if (activeForm_ && activeForm_ != lastActiveForm_)
        lastActiveForm_ = activeForm_;
}

void TScreen::ControlDestroyed(TControl* control)
{
    if (activeControl_ == control)
        activeControl_ = nullptr;
}

void TScreen::SetCursor(TCursor value)
{
    if (value == cursor_)
        return;
    cursor_ = value;
    ++cursorCount_;
    platform::SetCursor(Cursors(value == crDefault ? crArrow : value));
}

HCURSOR TScreen::Cursors(TCursor cursor) const
{
    const char* id = IDC_ARROW;
    switch (static_cast<int>(cursor)) {
    case -1: return nullptr;  // crNone
    case -3: id = IDC_CROSS; break;
    case -4: id = IDC_IBEAM; break;
    case -6: id = IDC_SIZENESW; break;
    case -7: id = IDC_SIZENS; break;
    case -8: id = IDC_SIZENWSE; break;
    case -9: id = IDC_SIZEWE; break;
    case -10: id = IDC_UPARROW; break;
    case -11: id = IDC_WAIT; break;
    case -18: id = IDC_NO; break;
    case -19: id = IDC_APPSTARTING; break;
    case -20: id = IDC_HELP; break;
    case -21: id = IDC_HAND; break;
    case -22: id = IDC_SIZEALL; break;
    default: break;
    }
    return platform::LoadSystemCursor(id);
}

int TScreen::Width() const { return platform::SystemMetric(SM_CXSCREEN); }

int TScreen::Height() const { return platform::SystemMetric(SM_CYSCREEN); }

int TScreen::PixelsPerInch() const { return ScreenPixelsPerInch(); }

TStrings* TScreen::Fonts()
{
    if (!fonts_)
        fonts_ = DeviceFontNames(nullptr);
    return fonts_.get();
}

void TScreen::ResetFonts() { fonts_.reset(); }

const TClassInfo& TMouse::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TMouse, TObject>("TMouse").Build();
    return info;
}

TMouse::TMouse() { SettingChanged(0); }

HWND TMouse::Capture() const { return platform::CaptureWindow(); }

void TMouse::SetCapture(HWND window)
{
    if (window)
        platform::SetCapture(window);
    else
        platform::ReleaseCapture();
}

POINT TMouse::CursorPos() const { return platform::CursorPos(); }

void TMouse::SettingChanged(unsigned setting)
{
    if (setting == 0 || setting == SPI_GETWHEELSCROLLLINES) {
        wheelPresent_ = platform::SystemMetric(SM_MOUSEWHEELPRESENT) != 0;
        wheelScrollLines_ = platform::WheelScrollLines();
    }
}

namespace {

// Gives `font` the system's font `system` (its colour stays).
void AssignSystemFont(TFont* font, const LOGFONTA& system)
{
    // Built apart and assigned once, so that the font announces one change.
    TFont copy;
    copy.Assign(font);
    copy.SetName(system.lfFaceName);
    copy.SetHeight(system.lfHeight);
    copy.SetCharset(static_cast<TFontCharset>(system.lfCharSet));
    switch (system.lfPitchAndFamily & 3) {
    case FIXED_PITCH: copy.SetPitch(fpFixed); break;
    case VARIABLE_PITCH: copy.SetPitch(fpVariable); break;
    default: copy.SetPitch(fpDefault); break;
    }
    TFontStyles style;
    if (system.lfWeight >= FW_BOLD)
        style.Include(fsBold);
    if (system.lfItalic)
        style.Include(fsItalic);
    if (system.lfUnderline)
        style.Include(fsUnderline);
    if (system.lfStrikeOut)
        style.Include(fsStrikeOut);
    copy.SetStyle(style);
    font->Assign(&copy);
}

}  // namespace

void AssignHintFont(TFont* font)
{
    LOGFONTA system{};
    if (platform::StatusFont(system))
        AssignSystemFont(font, system);
}

void AssignMenuFont(TFont* font)
{
    LOGFONTA system{};
    if (platform::MenuFont(system))
        AssignSystemFont(font, system);
}
