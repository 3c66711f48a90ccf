// TPrintDialog and TPrinterSetupDialog: the system's print and print setup dialogs. Both open on
// the current printer of GlobalPrinter and, when confirmed, make the chosen printer and its
// settings current there; the print dialog also takes back copies, page range and options.
#pragma once

#include "framework/core/set.h"
#include "framework/core/type_info.h"
#include "framework/dialogs/common_dialog.h"
#include "platform/common_dialogs.h"

enum TPrintDialogOption { poPrintToFile, poPageNums, poSelection, poWarning, poHelp, poDisablePrintToFile };
using TPrintDialogOptions = TSet<TPrintDialogOption>;
const TTypeInfo& TypeInfoFor(TPrintDialogOption*);

enum TPrintRange { prAllPages, prSelection, prPageNums };
const TTypeInfo& TypeInfoFor(TPrintRange*);

// The part both dialogs share: the device names and settings exchanged with the printer object.
class TPrinterDialogBase : public TCommonDialog {
    DECLARE_CLASS(TPrinterDialogBase)
public:
    using TCommonDialog::TCommonDialog;

protected:
    // Fills the record's device blocks from the printer, runs the dialog modally, and on success
    // hands the chosen printer and settings to the printer; the blocks are freed either way.
    bool RunWithPrinter(PRINTDLGA& record);
};

class TPrinterSetupDialog : public TPrinterDialogBase {
    DECLARE_CLASS(TPrinterSetupDialog)
public:
    using TPrinterDialogBase::TPrinterDialogBase;
    bool Execute() override;
};

class TPrintDialog : public TPrinterDialogBase {
    DECLARE_CLASS(TPrintDialog)
public:
    using TPrinterDialogBase::TPrinterDialogBase;
    bool Execute() override;

    bool Collate() const { return collate_; }
    void SetCollate(bool value) { collate_ = value; }
    int Copies() const { return copies_; }
    // Also the printer's copy count (once the form resource is read).
    void SetCopies(int value);
    int FromPage() const { return fromPage_; }
    void SetFromPage(int value) { fromPage_ = value; }
    int ToPage() const { return toPage_; }
    void SetToPage(int value) { toPage_ = value; }
    int MinPage() const { return minPage_; }
    void SetMinPage(int value) { minPage_ = value; }
    int MaxPage() const { return maxPage_; }
    void SetMaxPage(int value) { maxPage_ = value; }
    TPrintDialogOptions Options() const { return options_; }
    void SetOptions(TPrintDialogOptions value) { options_ = value; }
    bool PrintToFile() const { return printToFile_; }
    void SetPrintToFile(bool value) { printToFile_ = value; }
    TPrintRange PrintRange() const { return printRange_; }
    void SetPrintRange(TPrintRange value) { printRange_ = value; }

private:
    bool collate_ = false;
    int copies_ = 0;
    int fromPage_ = 0;
    int toPage_ = 0;
    int minPage_ = 0;
    int maxPage_ = 0;
    TPrintDialogOptions options_;
    bool printToFile_ = false;
    TPrintRange printRange_ = prAllPages;
};
