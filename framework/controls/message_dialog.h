// Message dialogs: a small modal form built in code that shows a message with the icon of its kind
// and a row of buttons, and answers the modal result of the button pressed. Ctrl+C copies the
// dialog as text.
#pragma once

#include <string>

#include "framework/controls/form.h"

class TLabel;

// The kind gives the caption and the icon.
enum TMessageDialogKind { dkWarning, dkError, dkInformation, dkConfirmation, dkCustom };

// The buttons, in the order they are laid out, left to right.
enum TMessageDialogButton {
    mbYes,
    mbNo,
    mbOK,
    mbCancel,
    mbAbort,
    mbRetry,
    mbIgnore,
    mbAll,
    mbNoToAll,
    mbYesToAll,
    mbHelp
};
using TMessageDialogButtons = TSet<TMessageDialogButton>;
inline constexpr TMessageDialogButtons mbYesNoCancel{mbYes, mbNo, mbCancel};
inline constexpr TMessageDialogButtons mbOKCancel{mbOK, mbCancel};

class TMessageForm : public TForm {
    DECLARE_CLASS(TMessageForm)
public:
    explicit TMessageForm(TComponent* owner);

    // The label showing the message (named "Message").
    TLabel* MessageLabel() const { return message_; }
    const std::string& HelpFile() const { return helpFile_; }
    void SetHelpFile(const std::string& value) { helpFile_ = value; }

    // The dialog as text: its caption, its message and its buttons' captions without their "&",
    // each part between lines of 27 "-".
    std::string DialogText() const;
    // Puts DialogText on the clipboard (Exception "クリップボードを開くことができません" when another
    // program holds the clipboard open).
    void CopyToClipboard() const;

private:
    friend TMessageForm* BuildMessageDialog(const std::string&, TMessageDialogKind, TMessageDialogButtons);
    void CopyKeyDown(TObject* sender, std::uint16_t& key, TShiftState shift);
    void HelpButtonClick(TObject* sender);

    TLabel* message_ = nullptr;
    std::string helpFile_;
};

// Builds the dialog, not shown; the caller owns it (FreeComponent).
TMessageForm* BuildMessageDialog(const std::string& message, TMessageDialogKind kind, TMessageDialogButtons buttons);
// Shows the dialog centred on the screen and answers the modal result of the button pressed (the
// close box and Escape give mrCancel).
TModalResult ShowMessageDialog(
    const std::string& message, TMessageDialogKind kind, TMessageDialogButtons buttons, int helpContext);
// The same with the dialog's top left corner at x, y in screen pixels (-1: where centring puts it).
TModalResult ShowMessageDialogAt(
    const std::string& message, TMessageDialogKind kind, TMessageDialogButtons buttons, int helpContext, int x, int y);
// The message under the application's title with an OK button.
void ShowNotice(const std::string& message);
void ShowNoticeAt(const std::string& message, int x, int y);
