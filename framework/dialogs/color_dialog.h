// TColorDialog: the system's colour dialog. It opens on Color and the sixteen custom colours kept
// in CustomColors as "ColorA=ffffff" to "ColorP=..." lines, and takes both back when confirmed.
#pragma once

#include <memory>

#include "framework/core/set.h"
#include "framework/core/string_list.h"
#include "framework/core/type_info.h"
#include "framework/dialogs/common_dialog.h"
#include "framework/graphics/color.h"

enum TColorDialogOption { cdFullOpen, cdPreventFullOpen, cdShowHelp, cdSolidColor, cdAnyColor };
using TColorDialogOptions = TSet<TColorDialogOption>;
const TTypeInfo& TypeInfoFor(TColorDialogOption*);

class TColorDialog : public TCommonDialog {
    DECLARE_CLASS(TColorDialog)
public:
    explicit TColorDialog(TComponent* owner);
    ~TColorDialog() override;

    bool Execute() override;

    TColor Color() const { return color_; }
    void SetColor(TColor value) { color_ = value; }
    TStrings* CustomColors() const { return customColors_.get(); }
    // Copies the lines of `value`.
    void SetCustomColors(TStrings* value);
    TColorDialogOptions Options() const { return options_; }
    void SetOptions(TColorDialogOptions value) { options_ = value; }

private:
    TColor color_ = clBlack;
    std::unique_ptr<TStringList> customColors_;
    TColorDialogOptions options_;
};
