// TCustomLabel and TLabel: a control without a window that draws its caption: aligned, laid out
// from the top, centre or bottom, wrapped at word boundaries, with "&" marking an accelerator, and
// embossed while disabled. With AutoSize it takes the size of its text.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "framework/controls/graphic_control.h"

enum TTextLayout { tlTop, tlCenter, tlBottom };
const TTypeInfo& TypeInfoFor(TTextLayout*);

class TCustomLabel : public TGraphicControl {
    DECLARE_CLASS(TCustomLabel)
public:
    explicit TCustomLabel(TComponent* owner);

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    TTextLayout Layout() const { return layout_; }
    void SetLayout(TTextLayout value);
    // With it "&X" draws X underlined and "&&" one "&"; without it every "&" shows as it is.
    bool ShowAccelChar() const { return showAccelChar_; }
    void SetShowAccelChar(bool value);
    // A transparent label leaves what lies under it; an opaque one fills itself with its colour.
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value);

    // Draws the caption into `rect` on `canvas` in the label's font with the DrawText `format`
    // (with DT_CALCRECT: `rect` receives the text's extent instead; an empty caption, or a lone "&"
    // marker, measures as one blank). With DT_WORDBREAK a word wider than `rect` is broken too.
    void DoDrawText(TCanvas& canvas, RECT& rect, UINT format);

    void Loaded() override;
    void Dispatch(TMessage& message) override;

protected:
    void Paint() override;
    // Fits the label to its caption, measured on the screen, when AutoSize is on.
    void AdjustSize() override;

private:
    std::string DrawnText(TCanvas& canvas, const RECT& rect, UINT format) const;

    TAlignment alignment_ = taLeftJustify;
    TTextLayout layout_ = tlTop;
    bool showAccelChar_ = true;
    bool transparent_ = false;
    bool wordWrap_ = false;
};

class TLabel : public TCustomLabel {
    DECLARE_CLASS(TLabel)
public:
    explicit TLabel(TComponent* owner) : TCustomLabel(owner) {}
};

// `text` with a line break ("\r\n") put into every word (a run without blanks and line breaks) that
// is wider than `width`, after the last character that still fits (at least one per line). A
// double-byte character is never cut in two, nor an accelerator marker "&" (when `accelChars`)
// parted from its character. `measure` gives the width of a piece of text.
std::string BreakOverlongWords(
    std::string_view text, int width, bool accelChars, const std::function<int(std::string_view)>& measure);
