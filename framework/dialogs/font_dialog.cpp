// TFontDialog: the font record, the font hook with the Apply button, and taking the chosen font.
#include "framework/dialogs/font_dialog.h"

#include <cstring>

#include "framework/controls/application.h"
#include "framework/controls/exception_hooks.h"
#include "framework/controls/messages.h"
#include "framework/core/class_info.h"
#include "framework/dialogs/dialog_flags.h"
#include "framework/dialogs/printer.h"
#include "platform/gdi.h"
#include "platform/locale.h"
#include "platform/window.h"

namespace {

constexpr TEnumName<TFontDialogOption> FontOptionNames[] = {
    {fdAnsiOnly, "fdAnsiOnly"},
    {fdTrueTypeOnly, "fdTrueTypeOnly"},
    {fdEffects, "fdEffects"},
    {fdFixedPitchOnly, "fdFixedPitchOnly"},
    {fdForceFontExist, "fdForceFontExist"},
    {fdNoFaceSel, "fdNoFaceSel"},
    {fdNoOEMFonts, "fdNoOEMFonts"},
    {fdNoSimulations, "fdNoSimulations"},
    {fdNoSizeSel, "fdNoSizeSel"},
    {fdNoStyleSel, "fdNoStyleSel"},
    {fdNoVectorFonts, "fdNoVectorFonts"},
    {fdShowHelp, "fdShowHelp"},
    {fdWysiwyg, "fdWysiwyg"},
    {fdLimitSize, "fdLimitSize"},
    {fdScalableOnly, "fdScalableOnly"},
    {fdApplyButton, "fdApplyButton"}};
constexpr std::uint32_t FontFlags[] = {
    CF_ANSIONLY,
    CF_TTONLY,
    CF_EFFECTS,
    CF_FIXEDPITCHONLY,
    CF_FORCEFONTEXIST,
    CF_NOFACESEL,
    CF_NOOEMFONTS,
    CF_NOSIMULATIONS,
    CF_NOSIZESEL,
    CF_NOSTYLESEL,
    CF_NOVECTORFONTS,
    CF_SHOWHELP,
    CF_WYSIWYG | CF_SCALABLEONLY | CF_BOTH,
    CF_LIMITSIZE,
    CF_SCALABLEONLY,
    CF_APPLY};
static_assert(std::size(FontFlags) == std::size(FontOptionNames));

constexpr TEnumName<TFontDialogDevice> DeviceNames[] = {
    {fdScreen, "fdScreen"}, {fdPrinter, "fdPrinter"}, {fdBoth, "fdBoth"}};
constexpr std::uint32_t DeviceFlags[] = {CF_SCREENFONTS, CF_PRINTERFONTS, CF_BOTH};

// The dialog's controls and commands the wrapper listens to.
constexpr int ColorBox = 0x473;     // cmb4
constexpr int ScriptBox = 0x474;    // cmb5
constexpr int ApplyButton = 0x402;  // psh3

const bool registered = (RegisterDialogClasses({&TFontDialog::StaticClass()}), true);

// The font dialog being run; font dialogs may nest, each restoring the one it replaced.
TFontDialog* currentFontDialog = nullptr;

std::string FaceOf(const LOGFONTA& font) { return std::string(font.lfFaceName, strnlen(font.lfFaceName, LF_FACESIZE)); }

}  // namespace

const TTypeInfo& TypeInfoFor(TFontDialogOption*) { return EnumTypeInfo<FontOptionNames>("TFontDialogOption"); }

const TTypeInfo& TypeInfoFor(TFontDialogDevice*) { return EnumTypeInfo<DeviceNames>("TFontDialogDevice"); }

const TClassInfo& TFontDialog::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TFontDialog, TCommonDialog>("TFontDialog")
            .Property("Font", &TFontDialog::Font, &TFontDialog::SetFont)
            .Property("Device", &TFontDialog::Device, &TFontDialog::SetDevice)
            .Property("MinFontSize", &TFontDialog::MinFontSize, &TFontDialog::SetMinFontSize)
            .Property("MaxFontSize", &TFontDialog::MaxFontSize, &TFontDialog::SetMaxFontSize)
            .Property("Options", &TFontDialog::Options, &TFontDialog::SetOptions)
            .Property("OnApply", &TFontDialog::OnApply)
            .Build();
    return info;
}

TFontDialog::TFontDialog(TComponent* owner) : TCommonDialog(owner), font_(std::make_unique<TFont>()) {}

TFontDialog::~TFontDialog() = default;

void TFontDialog::SetFont(TFont* value) { font_->Assign(value); }

bool TFontDialog::Execute()
{
    LOGFONTA font{};
    platform::FontDescription(font_->Handle(), font);
    openingFace_ = FaceOf(font);

    CHOOSEFONTA record{};
    record.lStructSize = sizeof record;
    record.hwndOwner = Application ? Application->WindowHandle() : nullptr;
    record.lpLogFont = &font;
    if (device_ != fdScreen)
        record.hDC = GlobalPrinter()->DeviceHandle();
    record.Flags = DeviceFlags[device_] | CF_INITTOLOGFONTSTRUCT | CF_ENABLEHOOK | FlagsOf(options_, FontFlags);
    if (OnApply)
        record.Flags |= CF_APPLY;
    if (maxFontSize_ < minFontSize_)
        record.Flags &= ~CF_LIMITSIZE;
    record.nSizeMin = minFontSize_;
    record.nSizeMax = maxFontSize_;
    record.rgbColors = static_cast<COLORREF>(font_->Color());
    record.lpfnHook = FontHook;

    struct CurrentDialog {
        TFontDialog* previous = currentFontDialog;
        explicit CurrentDialog(TFontDialog* dialog) { currentFontDialog = dialog; }
        ~CurrentDialog() { currentFontDialog = previous; }
    } current(this);
    colorChanged_ = charsetChanged_ = false;
    if (!TaskModalDialog([&] { return platform::ChooseFont(record); }))
        return false;
    TakeFont(font);
    if (colorChanged_)
        font_->SetColor(static_cast<TColor>(record.rgbColors));
    return true;
}

void TFontDialog::TakeFont(const LOGFONTA& chosen)
{
    std::string face = FaceOf(chosen);
    if (!face.empty() && platform::CompareAnsi(face, openingFace_, true) != 0)
        charsetChanged_ = true;
    font_->SetName(face);
    font_->SetHeight(chosen.lfHeight);
    if (charsetChanged_)
        font_->SetCharset(static_cast<TFontCharset>(chosen.lfCharSet));
    TFontStyles style;
    if (chosen.lfWeight > FW_NORMAL)
        style.Include(fsBold);
    if (chosen.lfItalic)
        style.Include(fsItalic);
    if (chosen.lfUnderline)
        style.Include(fsUnderline);
    if (chosen.lfStrikeOut)
        style.Include(fsStrikeOut);
    font_->SetStyle(style);
}

void TFontDialog::WndProc(TMessage& m)
{
    if (m.Msg == WM_COMMAND && TCommandMsg(m).NotifyCode() == CBN_SELENDOK) {
        if (TCommandMsg(m).ItemId() == ColorBox)
            colorChanged_ = true;
        else if (TCommandMsg(m).ItemId() == ScriptBox)
            charsetChanged_ = true;
    }
    TCommonDialog::WndProc(m);
}

UINT_PTR CALLBACK TFontDialog::FontHook(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    TMessage m{message, wParam, lParam, 0};
    if (message != WM_COMMAND || TCommandMsg(m).ItemId() != ApplyButton || TCommandMsg(m).NotifyCode() != BN_CLICKED)
        return DialogHook(window, message, wParam, lParam);
    try {
        if (currentFontDialog)
            currentFontDialog->DoApply(window);
    } catch (...) {
        HandleFrameworkException(currentFontDialog);
    }
    return 1;
}

void TFontDialog::DoApply(HWND window)
{
    LOGFONTA font{};
    platform::SendMessage(window, WM_CHOOSEFONT_GETLOGFONT, 0, reinterpret_cast<LPARAM>(&font));
    if (font.lfFaceName[0])  // a dialog that does not tell its font leaves Font as it is
        TakeFont(font);
    HWND colors = platform::DialogItem(window, ColorBox);
    LRESULT selected = platform::SendMessage(colors, CB_GETCURSEL, 0, 0);
    if (selected != CB_ERR)
        font_->SetColor(static_cast<TColor>(platform::SendMessage(colors, CB_GETITEMDATA, selected, 0)));
    if (OnApply)
        OnApply(this, window);
}
