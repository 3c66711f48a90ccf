// TColorDialog: the custom colours to and from their lines, and the colour record.
#include "framework/dialogs/color_dialog.h"

#include "framework/controls/application.h"
#include "framework/core/class_info.h"
#include "framework/core/format.h"
#include "framework/dialogs/dialog_flags.h"
#include "platform/common_dialogs.h"
#include "platform/module.h"

namespace {

constexpr TEnumName<TColorDialogOption> ColorOptionNames[] = {
    {cdFullOpen, "cdFullOpen"},
    {cdPreventFullOpen, "cdPreventFullOpen"},
    {cdShowHelp, "cdShowHelp"},
    {cdSolidColor, "cdSolidColor"},
    {cdAnyColor, "cdAnyColor"}};
constexpr std::uint32_t ColorFlags[] = {CC_FULLOPEN, CC_PREVENTFULLOPEN, CC_SHOWHELP, CC_SOLIDCOLOR, CC_ANYCOLOR};
static_assert(std::size(ColorFlags) == std::size(ColorOptionNames));

constexpr int CustomColorCount = 16;
constexpr COLORREF NoCustomColor = 0xFFFFFFFF;

const bool registered = (RegisterDialogClasses({&TColorDialog::StaticClass()}), true);

std::string CustomColorName(int index) { return std::string("Color") + static_cast<char>('A' + index); }

// A value of one to eight hexadecimal digits; anything else (a damaged line) counts as no colour.
COLORREF ParseCustomColor(const std::string& text)
{
    if (text.empty() || text.size() > 8)
        return NoCustomColor;
    COLORREF value = 0;
    for (char c : text) {
        int digit =
            c >= '0' && c <= '9'   ? c - '0'
            : c >= 'a' && c <= 'f' ? c - 'a' + 10
            : c >= 'A' && c <= 'F'
                ? c - 'A' + 10
                : -1;
        if (digit < 0)
            return NoCustomColor;
        value = value << 4 | static_cast<COLORREF>(digit);
    }
    return value;
}

}  // namespace

const TTypeInfo& TypeInfoFor(TColorDialogOption*) { return EnumTypeInfo<ColorOptionNames>("TColorDialogOption"); }

const TClassInfo& TColorDialog::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TColorDialog, TCommonDialog>("TColorDialog")
            .Property("Color", &TColorDialog::Color, &TColorDialog::SetColor)
            .Property("CustomColors", &TColorDialog::CustomColors, &TColorDialog::SetCustomColors)
            .Property("Options", &TColorDialog::Options, &TColorDialog::SetOptions)
            .Build();
    return info;
}

TColorDialog::TColorDialog(TComponent* owner) : TCommonDialog(owner), customColors_(std::make_unique<TStringList>()) {}

TColorDialog::~TColorDialog() = default;

void TColorDialog::SetCustomColors(TStrings* value)
{
    if (value)
        customColors_->Assign(value);
    else
        customColors_->Clear();
}

bool TColorDialog::Execute()
{
    COLORREF custom[CustomColorCount];
    for (int i = 0; i < CustomColorCount; ++i)
        custom[i] = ParseCustomColor(customColors_->Values(CustomColorName(i)));
    CHOOSECOLORA record{};
    record.lStructSize = sizeof record;
    record.hwndOwner = Application ? Application->WindowHandle() : nullptr;
    record.rgbResult = ColorToRGB(color_);
    record.lpCustColors = custom;
    record.Flags = CC_RGBINIT | CC_ENABLEHOOK | FlagsOf(options_, ColorFlags);
    record.lpfnHook = DialogHook;
    if (!TaskModalDialog([&] { return platform::ChooseColor(record); }))
        return false;
    color_ = static_cast<TColor>(record.rgbResult);
    TUpdateBracket update(*customColors_);
    for (int i = 0; i < CustomColorCount; ++i)
        customColors_->SetValue(CustomColorName(i), Format("%.6x", {static_cast<unsigned>(custom[i])}));
    return true;
}
