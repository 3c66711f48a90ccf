// TCustomEdit: a control over the system's edit window.
#include "framework/controls/custom_edit.h"

#include <algorithm>

#include "framework/controls/edit_bridge.h"
#include "framework/controls/system_style.h"
#include "framework/core/class_info.h"
#include "platform/edit.h"
#include "platform/nonclient.h"
#include "platform/screen.h"
#include "platform/window.h"

constexpr TEnumName<TEditCharCase> EditCharCaseNames[] = {
    {ecNormal, "ecNormal"}, {ecUpperCase, "ecUpperCase"}, {ecLowerCase, "ecLowerCase"}};

const TTypeInfo& TypeInfoFor(TEditCharCase*) { return EnumTypeInfo<EditCharCaseNames>("TEditCharCase"); }

const TClassInfo& TCustomEdit::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TCustomEdit, TWinControl>("TCustomEdit").Build();
    return info;
}

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner)
{
    SetBounds(Left(), Top(), 121, 25);
    SetTabStop(true);
    SetParentColor(false);
    SetAutoSize(true);
}

TCustomEdit::~TCustomEdit() = default;

// ---- Window ----

void TCustomEdit::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    CreateSubClass(params, "EDIT");
    params.Style |= ES_AUTOVSCROLL | ES_AUTOHSCROLL;
    if (borderStyle_ == bsSingle) {
        if (NewStyleControls() && Ctl3D())
            params.ExStyle |= WS_EX_CLIENTEDGE;
        else
            params.Style |= WS_BORDER;
    }
    if (passwordChar_)
        params.Style |= ES_PASSWORD;
    if (readOnly_)
        params.Style |= ES_READONLY;
    if (charCase_ == ecUpperCase)
        params.Style |= ES_UPPERCASE;
    else if (charCase_ == ecLowerCase)
        params.Style |= ES_LOWERCASE;
    if (!hideSelection_)
        params.Style |= ES_NOHIDESEL;
    if (oemConvert_)
        params.Style |= ES_OEMCONVERT;
}

void TCustomEdit::CreateWindowHandle(const TCreateParams& params)
{
    // The window starts empty and gets the kept text once it has its font, through the bridge where
    // there is one: a caption would reach it converted by the system, and laid out twice.
    TCreateParams empty = params;
    empty.Caption.clear();
    TWinControl::CreateWindowHandle(empty);
    keptText_ = params.Caption;
    if (platform::EditCountsCharacters()) {
        if (!bridge_)
            bridge_ = std::make_unique<TEditBridge>();
        bridge_->Reset();
    }
}

void TCustomEdit::CreateWnd()
{
    creating_ = true;
    try {
        TWinControl::CreateWnd();
        std::string text = std::move(keptText_);
        keptText_.clear();
        if (!text.empty() && PerformMessage(WM_SETTEXT, 0, reinterpret_cast<std::intptr_t>(text.c_str())) == 0) {
            // The new window cannot take the text back: the memo keeps it, answers with it and lets
            // nothing be typed into the empty window until a text is written that the window takes.
            keptText_ = std::move(text);
            textRefused_ = true;
        }
    } catch (...) {
        creating_ = false;
        throw;
    }
    creating_ = false;
    PerformMessage(EM_LIMITTEXT, static_cast<std::uintptr_t>(maxLength_), 0);
    SetTextModified(savedModified_);
    if (passwordChar_)
        PerformMessage(EM_SETPASSWORDCHAR, static_cast<unsigned char>(passwordChar_), 0);
    AdjustSize();
    if (textRefused_) {
        PerformMessage(EM_SETREADONLY, 1, 0);
        throw EInvalidOperation(SMemoTextTooLarge);
    }
}

void TCustomEdit::DestroyWnd()
{
    savedModified_ = TextModified();
    TWinControl::DestroyWnd();  // takes the text along, the kept copy where the window refused it
    textRefused_ = false;
    keptText_.clear();
    if (bridge_)
        bridge_->Reset();
}

void TCustomEdit::AdjustSize()
{
    if (!AutoSize() || borderStyle_ != bsSingle || HasState(csLoading))
        return;
    const int frame = platform::SystemMetric(SM_CYBORDER) * (NewStyleControls() ? (Ctl3D() ? 8 : 6) : 6);
    SetHeight(platform::FontLineHeight(Font()->Handle()) + frame);
}

bool TCustomEdit::WindowTakes(std::string_view text, bool wraps)
{
    return !platform::EditCountsCharacters() || UnicodeEditTakes(edittext::Encode(text).Shape, wraps);
}

void TCustomEdit::CheckWindowTakes(std::string_view text, bool wraps)
{
    if (!WindowTakes(text, wraps))
        throw EInvalidOperation(SMemoTextTooLarge);
}

// ---- Messages ----

bool TCustomEdit::AnswerFromKeptText(TMessage& m)
{
    switch (m.Msg) {
    case WM_GETTEXTLENGTH: m.Result = static_cast<std::intptr_t>(keptText_.size()); return true;
    case WM_GETTEXT: {
        const std::size_t count = m.WParam == 0 ? 0 : std::min<std::size_t>(keptText_.size(), m.WParam - 1);
        if (m.WParam > 0 && m.LParam) {
            std::copy_n(keptText_.data(), count, reinterpret_cast<char*>(m.LParam));
            reinterpret_cast<char*>(m.LParam)[count] = '\0';
        }
        m.Result = static_cast<std::intptr_t>(count);
        return true;
    }
    case WM_SETTEXT:
        if (!bridge_ || !bridge_->Translate(handle_, m))
            TWinControl::DefaultHandler(m);
        if (m.Result) {
            textRefused_ = false;
            keptText_.clear();
            PerformMessage(EM_SETREADONLY, readOnly_, 0);
        }
        return true;
    default: return false;
    }
}

void TCustomEdit::DefaultHandler(TMessage& m)
{
    if (!handle_) {
        // A text kept for a window that could not take it is refused now rather than lost later.
        if (m.Msg == WM_SETTEXT && m.LParam && !WindowTakes(reinterpret_cast<const char*>(m.LParam), WrapsLines())) {
            m.Result = 0;
            return;
        }
        TWinControl::DefaultHandler(m);
        return;
    }
    if (textRefused_ && AnswerFromKeptText(m))
        return;
    if (!bridge_) {
        TWinControl::DefaultHandler(m);
        return;
    }
    if (bridge_->Translate(handle_, m))
        return;
    TEditBridge::TPassOn scope(*bridge_, handle_, m);
    TWinControl::DefaultHandler(m);
}

void TCustomEdit::Dispatch(TMessage& m)
{
    switch (m.Msg) {
    case CN_COMMAND: CNCommand(m); break;
    case WM_SETTEXT:
        // A multi-line window of the system reports no change for a new text; this one counts it.
        ++textRevision_;
        TWinControl::Dispatch(m);
        break;
    case CMSG_TEXTCHANGED: CMTextChanged(m); break;
    case CMSG_ENTER: CMEnter(m); break;
    case WM_CONTEXTMENU: WMContextMenu(m); break;
    case WM_SETFONT: WMSetFont(m); break;
    case WM_NCCALCSIZE: WMNCCalcSize(m); break;
    case WM_NCPAINT: WMNCPaint(m); break;
    default: TWinControl::Dispatch(m); break;
    }
}

void TCustomEdit::CNCommand(TMessage& m)
{
    if (TCommandMsg(m).NotifyCode() != EN_CHANGE)
        return;
    ++textRevision_;
    if (!creating_)
        Change();
}

void TCustomEdit::CMTextChanged(TMessage& m)
{
    TWinControl::Dispatch(m);
    if (!handle_ || (platform::WindowLong(handle_, GWL_STYLE) & ES_MULTILINE))
        Change();
}

void TCustomEdit::Change()
{
    PerformMessage(CMSG_CHANGED, 0, reinterpret_cast<std::intptr_t>(this));
    if (OnChange)
        OnChange(this);
}

void TCustomEdit::CMEnter(TMessage& m)
{
    if (autoSelect_ && !controlState_.Contains(csLButtonDown) && handle_ &&
        !(platform::WindowLong(handle_, GWL_STYLE) & ES_MULTILINE))
        SelectAllText();
    TWinControl::Dispatch(m);
}

void TCustomEdit::WMNCCalcSize(TMessage& m)
{
    // Both forms of the message start with the window's proposed rectangle.
    if (m.LParam)
        bevel_.ReserveRoom(*reinterpret_cast<RECT*>(m.LParam));
    TWinControl::Dispatch(m);
}

void TCustomEdit::WMNCPaint(TMessage& m)
{
    TWinControl::Dispatch(m);
    bevel_.Paint(handle_, Brush()->Handle(), Ctl3D());
}

void TCustomEdit::SetBevelKind(TBevelKind value)
{
    if (value != bevel_.Kind) {
        bevel_.Kind = value;
        BevelChanged();
    }
}

void TCustomEdit::SetBevelInner(TBevelCut value)
{
    if (value != bevel_.Inner) {
        bevel_.Inner = value;
        BevelChanged();
    }
}

void TCustomEdit::SetBevelOuter(TBevelCut value)
{
    if (value != bevel_.Outer) {
        bevel_.Outer = value;
        BevelChanged();
    }
}

void TCustomEdit::SetBevelEdges(TBevelEdges value)
{
    if (value != bevel_.Edges) {
        bevel_.Edges = value;
        BevelChanged();
    }
}

void TCustomEdit::SetBevelWidth(int value)
{
    if (value > 0 && value != bevel_.Width) {
        bevel_.Width = value;
        BevelChanged();
    }
}

void TCustomEdit::BevelChanged()
{
    if (handle_)
        platform::FrameChanged(handle_);
}

void TCustomEdit::WMContextMenu(TMessage& m)
{
    SetFocus();
    TWinControl::Dispatch(m);
}

void TCustomEdit::WMSetFont(TMessage& m)
{
    TWinControl::Dispatch(m);
    if (NewStyleControls() && handle_ && !(platform::WindowLong(handle_, GWL_STYLE) & ES_MULTILINE))
        PerformMessage(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
}

// ---- Text and flags ----

void TCustomEdit::SetText(const std::string& value)
{
    if (Text() == value)
        return;
    if (PerformMessage(WM_SETTEXT, 0, reinterpret_cast<std::intptr_t>(value.c_str())) == 0)
        throw EInvalidOperation(SMemoTextTooLarge);
    PerformMessage(CMSG_TEXTCHANGED, 0, 0);
}

bool TCustomEdit::TextModified() const
{
    if (!handle_)
        return savedModified_;
    return const_cast<TCustomEdit*>(this)->PerformMessage(EM_GETMODIFY, 0, 0) != 0;
}

void TCustomEdit::SetTextModified(bool value)
{
    if (handle_)
        PerformMessage(EM_SETMODIFY, value, 0);
    else
        savedModified_ = value;
}

void TCustomEdit::SetReadOnly(bool value)
{
    if (value == readOnly_)
        return;
    readOnly_ = value;
    if (handle_)
        PerformMessage(EM_SETREADONLY, value, 0);
}

void TCustomEdit::SetMaxLength(int value)
{
    if (value == maxLength_)
        return;
    maxLength_ = value;
    if (handle_)
        PerformMessage(EM_LIMITTEXT, static_cast<std::uintptr_t>(value), 0);
}

void TCustomEdit::SetBorderStyle(TBorderStyle value)
{
    if (value == borderStyle_)
        return;
    borderStyle_ = value;
    AdjustSize();
    RecreateWnd();
}

void TCustomEdit::SetHideSelection(bool value)
{
    if (value == hideSelection_)
        return;
    hideSelection_ = value;
    RecreateWnd();
}

void TCustomEdit::SetOEMConvert(bool value)
{
    if (value == oemConvert_)
        return;
    oemConvert_ = value;
    RecreateWnd();
}

void TCustomEdit::SetCharCase(TEditCharCase value)
{
    if (value == charCase_)
        return;
    charCase_ = value;
    RecreateWnd();
}

void TCustomEdit::SetPasswordChar(char value)
{
    if (value == passwordChar_)
        return;
    passwordChar_ = value;
    if (!handle_)
        return;
    PerformMessage(EM_SETPASSWORDCHAR, static_cast<unsigned char>(value), 0);
    Invalidate();
}

// ---- Selection ----

std::intptr_t TCustomEdit::SendEdit(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) const
{
    auto* self = const_cast<TCustomEdit*>(this);
    self->HandleNeeded();
    return self->PerformMessage(message, wParam, lParam);
}

void TCustomEdit::SelectionRange(int& start, int& end) const
{
    DWORD first = 0, last = 0;
    SendEdit(EM_GETSEL, reinterpret_cast<std::uintptr_t>(&first), reinterpret_cast<std::intptr_t>(&last));
    start = static_cast<int>(first);
    end = static_cast<int>(last);
}

int TCustomEdit::SelectionStart() const
{
    int start = 0, end = 0;
    SelectionRange(start, end);
    return start;
}

void TCustomEdit::SetSelectionStart(int value) { SendEdit(EM_SETSEL, static_cast<std::uintptr_t>(value), value); }

int TCustomEdit::SelectionLength() const
{
    int start = 0, end = 0;
    SelectionRange(start, end);
    return end - start;
}

void TCustomEdit::SetSelectionLength(int value)
{
    const int start = SelectionStart();
    SendEdit(EM_SETSEL, static_cast<std::uintptr_t>(start), start + value);
    SendEdit(EM_SCROLLCARET);
}

void TCustomEdit::SelectRange(int start, int length)
{
    SendEdit(EM_SETSEL, static_cast<std::uintptr_t>(start), start + length);
}

std::string TCustomEdit::SelectedText() const
{
    int start = 0, end = 0;
    SelectionRange(start, end);
    const std::string text = Text();
    if (start < 0 || static_cast<std::size_t>(start) >= text.size())
        return {};
    return text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start));
}

void TCustomEdit::SetSelectedText(const std::string& value)
{
    SendEdit(EM_REPLACESEL, 0, reinterpret_cast<std::intptr_t>(value.c_str()));
}

void TCustomEdit::SelectAllText() { SendEdit(EM_SETSEL, 0, -1); }

// ---- Undo and the clipboard ----

void TCustomEdit::UndoEdit() { SendEdit(WM_UNDO); }

void TCustomEdit::CutSelection() { SendEdit(WM_CUT); }

void TCustomEdit::CopySelectedText() { SendEdit(WM_COPY); }

void TCustomEdit::PasteClipboard() { SendEdit(WM_PASTE); }

void TCustomEdit::Clear() { platform::SetWindowText(Handle(), ""); }
