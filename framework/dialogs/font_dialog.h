// TFontDialog: the system's font dialog. It opens on Font and, when confirmed, gives Font the face,
// height and style chosen; the character set only when the face or the script changed, the colour
// only when the user chose one. The Apply button updates Font at once and calls OnApply.
#pragma once

#include <memory>

#include "framework/core/set.h"
#include "framework/core/type_info.h"
#include "framework/dialogs/common_dialog.h"
#include "framework/graphics/font.h"
#include "platform/common_dialogs.h"

enum TFontDialogOption {
    fdAnsiOnly,
    fdTrueTypeOnly,
    fdEffects,
    fdFixedPitchOnly,
    fdForceFontExist,
    fdNoFaceSel,
    fdNoOEMFonts,
    fdNoSimulations,
    fdNoSizeSel,
    fdNoStyleSel,
    fdNoVectorFonts,
    fdShowHelp,
    fdWysiwyg,
    fdLimitSize,
    fdScalableOnly,
    fdApplyButton
};
using TFontDialogOptions = TSet<TFontDialogOption>;
const TTypeInfo& TypeInfoFor(TFontDialogOption*);

// Which fonts the dialog lists: the screen's, the printer's, or both.
enum TFontDialogDevice { fdScreen, fdPrinter, fdBoth };
const TTypeInfo& TypeInfoFor(TFontDialogDevice*);

// OnApply: Sender, the dialog window.
using TFontApplyEvent = TEvent<TObject*, HWND>;

class TFontDialog : public TCommonDialog {
    DECLARE_CLASS(TFontDialog)
public:
    explicit TFontDialog(TComponent* owner);
    ~TFontDialog() override;

    bool Execute() override;

    TFont* Font() const { return font_.get(); }
    // Copies `value`.
    void SetFont(TFont* value);
    TFontDialogDevice Device() const { return device_; }
    void SetDevice(TFontDialogDevice value) { device_ = value; }
    int MinFontSize() const { return minFontSize_; }
    void SetMinFontSize(int value) { minFontSize_ = value; }
    int MaxFontSize() const { return maxFontSize_; }
    void SetMaxFontSize(int value) { maxFontSize_ = value; }
    TFontDialogOptions Options() const { return options_; }
    void SetOptions(TFontDialogOptions value) { options_ = value; }

    TFontApplyEvent OnApply;

protected:
    // Notes a confirmed choice in the colour and script boxes.
    void WndProc(TMessage& message) override;
    virtual void DoApply(HWND window);

private:
    static UINT_PTR CALLBACK FontHook(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // Gives Font what `chosen` describes; the character set only when it changed, and another face
    // than the one the dialog opened with changes it.
    void TakeFont(const LOGFONTA& chosen);

    std::unique_ptr<TFont> font_;
    TFontDialogDevice device_ = fdScreen;
    int minFontSize_ = 0;
    int maxFontSize_ = 0;
    TFontDialogOptions options_{fdEffects};
    bool colorChanged_ = false;
    bool charsetChanged_ = false;
    std::string openingFace_;  // the face Font had when the dialog opened
};
