// Message dialogs: the measured layout of the form, its buttons, keys and clipboard text, and the
// routines that show it.
#include "framework/controls/message_dialog.h"

#include <algorithm>

#include "framework/controls/application.h"
#include "framework/controls/button.h"
#include "framework/controls/image.h"
#include "framework/controls/label.h"
#include "framework/controls/screen.h"
#include "framework/core/class_info.h"
#include "framework/core/double_byte.h"
#include "framework/graphics/mul_div.h"
#include "framework/graphics/screen_canvas.h"
#include "platform/clipboard.h"
#include "platform/gdi.h"
#include "platform/icons.h"
#include "platform/screen.h"
#include "platform/sound.h"

namespace {

struct DialogKind {
    unsigned caption;  // string table entry; 0: the application's title
    const char* icon;  // system icon; none for a custom dialog
};

const DialogKind Kinds[] = {
    {SMsgDlgWarning, IDI_EXCLAMATION},
    {SMsgDlgError, IDI_HAND},
    {SMsgDlgInformation, IDI_ASTERISK},
    {SMsgDlgConfirm, IDI_QUESTION},
    {0, nullptr}};

struct DialogButton {
    const char* name;
    unsigned caption;
    TModalResult result;
};

// In the order of TMessageDialogButton.
constexpr DialogButton Buttons[] = {
    {"Yes", SMsgDlgYes, mrYes},
    {"No", SMsgDlgNo, mrNo},
    {"OK", SMsgDlgOK, mrOk},
    {"Cancel", SMsgDlgCancel, mrCancel},
    {"Abort", SMsgDlgAbort, mrAbort},
    {"Retry", SMsgDlgRetry, mrRetry},
    {"Ignore", SMsgDlgIgnore, mrIgnore},
    {"All", SMsgDlgAll, mrAll},
    {"NoToAll", SMsgDlgNoToAll, mrNoToAll},
    {"YesToAll", SMsgDlgYesToAll, mrYesToAll},
    {"Help", SMsgDlgHelp, mrNone}};
constexpr int ButtonKinds = static_cast<int>(std::size(Buttons));

// Each caption's measured width plus 8 pixels, measured the first time a dialog has that button.
int CaptionWidths[ButtonKinds] = {};

constexpr int IconSize = 32;

// `text` without any "&".
std::string WithoutAmpersands(std::string_view text)
{
    std::string result;
    std::size_t from = 0;
    for (std::size_t at; (at = dbcs::FindChar(text, '&', from)) != dbcs::npos; from = at + 1)
        result.append(text.substr(from, at - from));
    result.append(text.substr(from));
    return result;
}

// Uses the system's message font; should the system not tell it, the form keeps its own.
void TakeMessageFont(TFont& font)
{
    LOGFONTA description{};
    if (!platform::MessageFont(description))
        return;
    HFONT made = platform::CreateFont(description);
    if (!made)
        return;
    font.SetHandle(made);
    platform::DeleteObject(made);
}

}  // namespace

const TClassInfo& TMessageForm::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TMessageForm, TForm>("TMessageForm").Build();
    return info;
}

TMessageForm::TMessageForm(TComponent* owner) : TForm(owner, NoResource) {}

void TMessageForm::CopyKeyDown(TObject*, std::uint16_t& key, TShiftState shift)
{
    if (shift == TShiftState{ssCtrl} && key == 'C') {
        platform::Beep();
        CopyToClipboard();
    }
}

void TMessageForm::HelpButtonClick(TObject*)
{
    if (Application)
        Application->ShowHelpContext(HelpContext());
}

std::string TMessageForm::DialogText() const
{
    const std::string separator = std::string(27, '-') + "\r\n";
    std::string buttons;
    for (int i = 0; i < ComponentCount(); ++i)
        if (auto* button = dynamic_cast<TButton*>(Components(i)))
            buttons += WithoutAmpersands(button->Caption()) + "   ";
    return separator + Caption() + "\r\n" + separator + (message_ ? message_->Caption() : std::string()) + "\r\n" +
           separator + buttons + "\r\n" + separator;
}

void TMessageForm::CopyToClipboard() const
{
    std::string text = DialogText();
    if (!platform::OpenClipboard(nullptr))
        throw Exception(SCannotOpenClipboard);
    struct Closer {
        ~Closer() { platform::CloseClipboard(); }
    } closer;
    platform::EmptyClipboard();
    if (!platform::SetClipboardText(text))
        RaiseLastOSError();
}

// ---- Building ----

TMessageForm* BuildMessageDialog(const std::string& message, TMessageDialogKind kind, TMessageDialogButtons buttons)
{
    auto* form = CreateComponent<TMessageForm>(Application);
    try {
        TakeMessageFont(*form->Font());
        form->SetBorderStyle(bsDialog);
        form->SetKeyPreview(true);
        form->OnKeyDown = TKeyEvent(form, &TMessageForm::CopyKeyDown);

        // Dialog units: a quarter of the average character width, an eighth of the text height.
        TScreenCanvas canvas;
        canvas.SetFont(form->Font());
        const std::string letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
        SIZE extent = canvas.TextExtent(letters);
        int average = extent.cx / 52;
        int height = extent.cy;
        int hMargin = MulDivRound(8, average, 4), vMargin = MulDivRound(8, height, 8);
        int hSpacing = MulDivRound(10, average, 4), vSpacing = MulDivRound(10, height, 8);
        int buttonWidth = MulDivRound(50, average, 4), buttonHeight = MulDivRound(14, height, 8);
        int buttonSpacing = MulDivRound(4, average, 4);

        int buttonCount = 0;
        for (int b = 0; b < ButtonKinds; ++b) {
            if (!buttons.Contains(static_cast<TMessageDialogButton>(b)))
                continue;
            ++buttonCount;
            if (CaptionWidths[b] == 0) {
                RECT rect{0, 0, 0, 0};
                UINT reading = form->UseRightToLeftReading() ? DT_RTLREADING : 0;
                platform::DrawText(
                    canvas.Handle(), LoadResString(Buttons[b].caption), rect, DT_CALCRECT | DT_SINGLELINE | reading);
                CaptionWidths[b] = rect.right - rect.left + 8;
            }
            buttonWidth = std::max(buttonWidth, CaptionWidths[b]);
        }

        // The message, wrapped within half the screen's width.
        const DialogKind& look = Kinds[kind];
        auto* label = CreateComponent<TLabel>(form);
        label->SetName("Message");
        label->SetParent(form);
        label->SetWordWrap(true);
        label->SetShowAccelChar(false);  // a message shows every "&" it holds, a file name's too
        label->SetCaption(message);
        RECT textRect{0, 0, Screen->Width() / 2, 0};
        label->DoDrawText(canvas, textRect, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS);
        int textWidth = textRect.right, textHeight = textRect.bottom;
        int iconTextWidth = textWidth + (look.icon ? IconSize + hSpacing : 0);
        int iconTextHeight = look.icon ? std::max(textHeight, IconSize) : textHeight;
        int rowWidth = buttonCount > 0 ? buttonCount * buttonWidth + (buttonCount - 1) * buttonSpacing : 0;

        form->SetClientWidth(std::max(iconTextWidth, rowWidth) + 2 * hMargin);
        form->SetClientHeight(iconTextHeight + buttonHeight + vSpacing + 2 * vMargin);
        form->SetLeft(Screen->Width() / 2 - form->Width() / 2);
        form->SetTop(Screen->Height() / 2 - form->Height() / 2);
        form->SetCaption(look.caption ? LoadResString(look.caption) : Application->AppTitle());

        bool mirrored = form->UseRightToLeftAlignment();
        int clientWidth = form->ClientWidth();
        if (look.icon) {
            auto* image = CreateComponent<TImage>(form);
            image->SetName("Image");
            image->SetParent(form);
            image->Picture()->Icon()->SetHandle(platform::SystemIcon(look.icon), false);
            int left = mirrored ? clientWidth - hMargin - IconSize : hMargin;
            image->SetBounds(left, vMargin, IconSize, IconSize);
        }
        int textLeft = mirrored ? hMargin : iconTextWidth + hMargin - textWidth;
        label->SetBounds(textLeft, vMargin, textWidth, textHeight);
        form->message_ = label;

        TMessageDialogButton defaultButton = buttons.Contains(mbOK) ? mbOK : buttons.Contains(mbYes) ? mbYes : mbRetry;
        TMessageDialogButton cancelButton =
            buttons.Contains(mbCancel) ? mbCancel
            : buttons.Contains(mbNo)
                ? mbNo
                : mbOK;
        int x = (clientWidth - rowWidth) / 2;
        int y = iconTextHeight + vMargin + vSpacing;
        for (int b = 0; b < ButtonKinds; ++b) {
            auto which = static_cast<TMessageDialogButton>(b);
            if (!buttons.Contains(which))
                continue;
            auto* button = CreateComponent<TButton>(form);
            button->SetName(Buttons[b].name);
            button->SetParent(form);
            button->SetCaption(LoadResString(Buttons[b].caption));
            button->SetModalResult(Buttons[b].result);
            button->SetDefault(which == defaultButton);
            button->SetCancel(which == cancelButton);
            button->SetBounds(x, y, buttonWidth, buttonHeight);
            if (which == mbHelp)
                button->OnClick = TNotifyEvent(form, &TMessageForm::HelpButtonClick);
            x += buttonWidth + buttonSpacing;
        }
    } catch (...) {
        FreeComponent(form);
        throw;
    }
    return form;
}

// ---- Showing ----

TModalResult ShowMessageDialogAt(
    const std::string& message, TMessageDialogKind kind, TMessageDialogButtons buttons, int helpContext, int x, int y)
{
    TMessageForm* form = BuildMessageDialog(message, kind, buttons);
    struct Freeing {
        TMessageForm* form;
        ~Freeing() { FreeComponent(form); }
    } freeing{form};
    form->SetHelpContext(helpContext);
    form->SetHelpFile({});
    if (x >= 0)
        form->SetLeft(x);
    if (y >= 0)
        form->SetTop(y);
    if (x < 0 && y < 0)
        form->SetPosition(poScreenCenter);
    return form->ShowFormModal();
}

TModalResult ShowMessageDialog(
    const std::string& message, TMessageDialogKind kind, TMessageDialogButtons buttons, int helpContext)
{
    return ShowMessageDialogAt(message, kind, buttons, helpContext, -1, -1);
}

void ShowNoticeAt(const std::string& message, int x, int y) { ShowMessageDialogAt(message, dkCustom, {mbOK}, 0, x, y); }

void ShowNotice(const std::string& message) { ShowNoticeAt(message, -1, -1); }
