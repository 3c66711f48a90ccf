// TCustomLabel and TLabel: painting, layout, the disabled look, auto size and word wrapping.
#include "framework/controls/label.h"

#include "framework/core/class_info.h"
#include "framework/core/double_byte.h"
#include "framework/graphics/screen_canvas.h"
#include "platform/gdi.h"

constexpr TEnumName<TTextLayout> TextLayoutNames[] = {{tlTop, "tlTop"}, {tlCenter, "tlCenter"}, {tlBottom, "tlBottom"}};

const TTypeInfo& TypeInfoFor(TTextLayout*) { return EnumTypeInfo<TextLayoutNames>("TTextLayout"); }

const TClassInfo& TCustomLabel::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TCustomLabel, TGraphicControl>("TCustomLabel").Build();
    return info;
}

const TClassInfo& TLabel::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TLabel, TCustomLabel>("TLabel")
            .Property("Alignment", &TLabel::Alignment, &TLabel::SetAlignment)
            .Property("AutoSize", &TLabel::AutoSize, &TLabel::SetAutoSize)
            .Property("Caption", &TLabel::Caption, &TLabel::SetCaption)
            .Property("Layout", &TLabel::Layout, &TLabel::SetLayout)
            .Property("ShowAccelChar", &TLabel::ShowAccelChar, &TLabel::SetShowAccelChar)
            .Property("Transparent", &TLabel::Transparent, &TLabel::SetTransparent)
            .Property("WordWrap", &TLabel::WordWrap, &TLabel::SetWordWrap)
            .Build();
    return info;
}

TCustomLabel::TCustomLabel(TComponent* owner) : TGraphicControl(owner)
{
    controlStyle_.Include(csOpaque);
    // Auto size is on, but the label keeps these bounds until its caption or font first changes.
    SetAutoSize(true);
    SetBounds(left_, top_, 65, 17);
}

// ---- Properties ----

void TCustomLabel::SetAlignment(TAlignment value)
{
    if (value == alignment_)
        return;
    alignment_ = value;
    Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout value)
{
    if (value == layout_)
        return;
    layout_ = value;
    Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool value)
{
    if (value == showAccelChar_)
        return;
    showAccelChar_ = value;
    Invalidate();
}

void TCustomLabel::SetTransparent(bool value)
{
    if (value == transparent_)
        return;
    transparent_ = value;
    if (value)
        controlStyle_.Exclude(csOpaque);
    else
        controlStyle_.Include(csOpaque);
    Invalidate();
}

void TCustomLabel::SetWordWrap(bool value)
{
    if (value == wordWrap_)
        return;
    wordWrap_ = value;
    AdjustSize();
    Invalidate();
}

// ---- Text ----

namespace {

constexpr UINT AlignmentFormats[] = {DT_LEFT, DT_RIGHT, DT_CENTER};

// The width DrawText gives one line of `text`.
int LineWidth(HDC dc, std::string_view text, UINT format)
{
    RECT rect{0, 0, 0, 0};
    platform::DrawText(dc, std::string(text), rect, DT_CALCRECT | DT_SINGLELINE | format);
    return rect.right;
}

}  // namespace

std::string TCustomLabel::DrawnText(TCanvas& canvas, const RECT& rect, UINT format) const
{
    std::string text = Caption();
    if ((format & DT_CALCRECT) && (text.empty() || (showAccelChar_ && text == "&")))
        text += ' ';
    int width = rect.right - rect.left;
    if (!(format & DT_WORDBREAK) || width <= 0)
        return text;
    HDC dc = canvas.Handle();
    UINT measuring = format & (DT_EXPANDTABS | DT_NOPREFIX);
    return BreakOverlongWords(text, width, showAccelChar_, [dc, measuring](std::string_view piece) {
        return LineWidth(dc, piece, measuring);
    });
}

void TCustomLabel::DoDrawText(TCanvas& canvas, RECT& rect, UINT format)
{
    if (!showAccelChar_)
        format |= DT_NOPREFIX;
    format = DrawTextBiDiModeFlags(format);
    canvas.SetFont(Font());
    std::string text = DrawnText(canvas, rect, format);
    if (Enabled() || (format & DT_CALCRECT)) {
        platform::DrawText(canvas.Handle(), text, rect, format);
        return;
    }
    // Embossed: the highlight one pixel down and right, the shadow over it in place.
    RECT shifted{rect.left + 1, rect.top + 1, rect.right + 1, rect.bottom + 1};
    canvas.Font()->SetColor(clBtnHighlight);
    platform::DrawText(canvas.Handle(), text, shifted, format);
    canvas.Font()->SetColor(clBtnShadow);
    platform::DrawText(canvas.Handle(), text, rect, format);
}

// ---- Painting ----

void TCustomLabel::Paint()
{
    TCanvas& canvas = *Canvas();
    RECT rect = ClientRect();
    if (!transparent_) {
        canvas.Brush()->SetStyle(bsSolid);
        canvas.Brush()->SetColor(Color());
        canvas.FillRect(rect);
    }
    canvas.Brush()->SetStyle(bsClear);
    UINT format = DT_EXPANDTABS | (wordWrap_ ? DT_WORDBREAK : 0) | AlignmentFormats[alignment_];
    if (layout_ != tlTop) {
        RECT measured = rect;
        DoDrawText(canvas, measured, format | DT_CALCRECT);
        int free = Height() - measured.bottom;
        int down = layout_ == tlBottom ? free : free / 2;
        rect.top += down;
        rect.bottom += down;
    }
    DoDrawText(canvas, rect, format);
}

// ---- Auto size ----

void TCustomLabel::AdjustSize()
{
    if (!AutoSize() || HasState(csReading))
        return;
    RECT rect = ClientRect();
    {
        TScreenCanvas screen;
        DoDrawText(screen, rect, DT_EXPANDTABS | DT_CALCRECT | (wordWrap_ ? DT_WORDBREAK : 0));
    }
    TAlignment alignment = alignment_;
    if (UseRightToLeftAlignment() && alignment != taCenter)
        alignment = alignment == taLeftJustify ? taRightJustify : taLeftJustify;
    int left = left_;
    if (alignment == taRightJustify)
        left += width_ - rect.right;  // the right edge stays where it is
    SetBounds(left, top_, rect.right, rect.bottom);
}

void TCustomLabel::Loaded()
{
    TGraphicControl::Loaded();
    AdjustSize();
}

void TCustomLabel::Dispatch(TMessage& m)
{
    switch (m.Msg) {
    case CMSG_TEXTCHANGED:
        Invalidate();
        AdjustSize();
        break;
    case CMSG_FONTCHANGED:
        TGraphicControl::Dispatch(m);
        AdjustSize();
        break;
    default: TGraphicControl::Dispatch(m); break;
    }
}

// ---- Breaking long words ----

namespace {

bool IsBreak(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// The offset after the character at `at`; an accelerator marker goes together with its character.
std::size_t NextUnit(std::string_view text, std::size_t at, bool accelChars)
{
    std::size_t next = dbcs::NextChar(text, at);
    if (accelChars && text[at] == '&' && next < text.size())
        next = dbcs::NextChar(text, next);
    return next;
}

}  // namespace

std::string BreakOverlongWords(
    std::string_view text, int width, bool accelChars, const std::function<int(std::string_view)>& measure)
{
    std::string result;
    result.reserve(text.size());
    std::size_t at = 0;
    while (at < text.size()) {
        if (IsBreak(text[at])) {
            result += text[at++];
            continue;
        }
        std::size_t end = at;
        while (end < text.size() && !IsBreak(text[end]))
            end = dbcs::NextChar(text, end);
        std::string_view word = text.substr(at, end - at);
        at = end;
        if (measure(word) <= width) {
            result.append(word);
            continue;
        }
        for (std::size_t start = 0; start < word.size();) {
            std::size_t fit = NextUnit(word, start, accelChars);
            while (fit < word.size()) {
                std::size_t next = NextUnit(word, fit, accelChars);
                if (measure(word.substr(start, next - start)) > width)
                    break;
                fit = next;
            }
            result.append(word.substr(start, fit - start));
            if (fit < word.size())
                result += "\r\n";
            start = fit;
        }
    }
    return result;
}
