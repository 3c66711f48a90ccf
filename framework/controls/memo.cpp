// TCustomMemo and TMemo: the multi-line edit that holds the editor's document.
#include "framework/controls/memo.h"

#include "framework/controls/memo_strings.h"
#include "framework/core/class_info.h"

const TClassInfo& TCustomMemo::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TCustomMemo, TCustomEdit>("TCustomMemo").Build();
    return info;
}

const TClassInfo& TMemo::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TMemo, TCustomMemo>("TMemo")
            .Property("Alignment", &TMemo::Alignment, &TMemo::SetAlignment)
            .Property("BevelEdges", &TMemo::BevelEdges, &TMemo::SetBevelEdges)
            .Property("BevelInner", &TMemo::BevelInner, &TMemo::SetBevelInner)
            .Property("BevelKind", &TMemo::BevelKind, &TMemo::SetBevelKind)
            .Property("BevelOuter", &TMemo::BevelOuter, &TMemo::SetBevelOuter)
            .Property("BevelWidth", &TMemo::BevelWidth, &TMemo::SetBevelWidth)
            .Property("BorderStyle", &TMemo::BorderStyle, &TMemo::SetBorderStyle)
            .Property("HideSelection", &TMemo::HideSelection, &TMemo::SetHideSelection)
            .Property("Lines", &TMemo::Lines, &TMemo::SetLines)
            .Property("MaxLength", &TMemo::MaxLength, &TMemo::SetMaxLength)
            .Property("OEMConvert", &TMemo::OEMConvert, &TMemo::SetOEMConvert)
            .Property("ReadOnly", &TMemo::ReadOnly, &TMemo::SetReadOnly)
            .Property("ScrollBars", &TMemo::ScrollBars, &TMemo::SetScrollBars)
            .Property("WantReturns", &TMemo::WantReturns, &TMemo::SetWantReturns)
            .Property("WantTabs", &TMemo::WantTabs, &TMemo::SetWantTabs)
            .Property("WordWrap", &TMemo::WordWrap, &TMemo::SetWordWrap)
            .Property("OnChange", &TMemo::OnChange)
            .Build();
    return info;
}

TCustomMemo::TCustomMemo(TComponent* owner) : TCustomEdit(owner), lines_(std::make_unique<TMemoStrings>(this))
{
    SetAutoSize(false);
    SetBounds(Left(), Top(), 185, 89);
}

TCustomMemo::~TCustomMemo() = default;

TStrings* TCustomMemo::Lines() const { return lines_.get(); }

void TCustomMemo::SetLines(TStrings* value) { lines_->Assign(value); }

void TCustomMemo::CreateParams(TCreateParams& params)
{
    TCustomEdit::CreateParams(params);
    const bool mirrored = UseRightToLeftAlignment();
    switch (alignment_) {
    case taLeftJustify: params.Style |= mirrored ? ES_RIGHT : ES_LEFT; break;
    case taRightJustify: params.Style |= mirrored ? ES_LEFT : ES_RIGHT; break;
    case taCenter: params.Style |= ES_CENTER; break;
    }
    params.Style |= ES_MULTILINE;
    if (wordWrap_)
        params.Style &= ~ES_AUTOHSCROLL;
    switch (scrollBars_) {
    case ssNone: break;
    case ssHorizontal: params.Style |= WS_HSCROLL; break;
    case ssVertical: params.Style |= WS_VSCROLL; break;
    case ssBoth: params.Style |= WS_HSCROLL | WS_VSCROLL; break;
    }
}

void TCustomMemo::SetAlignment(TAlignment value)
{
    if (value == alignment_)
        return;
    alignment_ = value;
    RecreateWnd();
}

void TCustomMemo::SetScrollBars(TScrollStyle value) { SetWordWrapAndScrollBars(wordWrap_, value); }

void TCustomMemo::SetWordWrap(bool value) { SetWordWrapAndScrollBars(value, scrollBars_); }

void TCustomMemo::SetWordWrapAndScrollBars(bool wordWrap, TScrollStyle scrollBars)
{
    if (wordWrap == wordWrap_ && scrollBars == scrollBars_)
        return;
    // The text goes to the new window whole: one the wrapping window cannot take stays where it is.
    if (wordWrap && !wordWrap_)
        CheckWindowTakes(Text(), true);
    wordWrap_ = wordWrap;
    scrollBars_ = scrollBars;
    RecreateWnd();
}

void TCustomMemo::Loaded()
{
    TCustomEdit::Loaded();
    SetTextModified(false);
}

void TCustomMemo::Dispatch(TMessage& m)
{
    if (m.Msg == WM_GETDLGCODE)
        WMGetDlgCode(m);
    else
        TCustomEdit::Dispatch(m);
}

void TCustomMemo::WMGetDlgCode(TMessage& m)
{
    TCustomEdit::Dispatch(m);
    m.Result |= DLGC_WANTARROWS;
    if (wantTabs_)
        m.Result |= DLGC_WANTTAB;
    else
        m.Result &= ~DLGC_WANTTAB;
    if (!wantReturns_)
        m.Result &= ~DLGC_WANTALLKEYS;
}

void TCustomMemo::KeyPress(char& key)
{
    TCustomEdit::KeyPress(key);
    if (key == '\r' && !wantReturns_)
        key = 0;
}
