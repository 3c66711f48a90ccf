// TPrintDialog and TPrinterSetupDialog: the device blocks exchanged with the printer, the flags,
// and the results.
#include "framework/dialogs/print_dialog.h"

#include <cstring>
#include <string>

#include "framework/controls/application.h"
#include "framework/core/class_info.h"
#include "framework/dialogs/device_mode.h"
#include "framework/dialogs/printer.h"
#include "platform/memory.h"
#include "platform/module.h"

namespace {

constexpr TEnumName<TPrintDialogOption> PrintOptionNames[] = {
    {poPrintToFile, "poPrintToFile"}, {poPageNums, "poPageNums"}, {poSelection, "poSelection"},
    {poWarning, "poWarning"},         {poHelp, "poHelp"},         {poDisablePrintToFile, "poDisablePrintToFile"}};
constexpr TEnumName<TPrintRange> PrintRangeNames[] = {
    {prAllPages, "prAllPages"}, {prSelection, "prSelection"}, {prPageNums, "prPageNums"}};

static_assert(sizeof(PRINTDLGA) == 66, "the print dialog's record is packed");

const bool registered =
    (RegisterDialogClasses({&TPrintDialog::StaticClass(), &TPrinterSetupDialog::StaticClass()}), true);

// A DEVNAMES block: the offsets of the driver, device and port names, then the names themselves.
HGLOBAL MakeDeviceNames(const std::string& driver, const std::string& device, const std::string& port)
{
    HGLOBAL block = platform::GlobalAllocZeroed(
        static_cast<std::uint32_t>(sizeof(DEVNAMES) + driver.size() + device.size() + port.size() + 3));
    auto* names = static_cast<DEVNAMES*>(platform::GlobalLock(block));
    if (!names)
        return block;
    char* text = reinterpret_cast<char*>(names);
    WORD at = sizeof(DEVNAMES);
    for (auto [name, offset] :
         {std::pair{&driver, &names->wDriverOffset}, std::pair{&device, &names->wDeviceOffset},
          std::pair{&port, &names->wOutputOffset}}) {
        *offset = at;
        std::memcpy(text + at, name->c_str(), name->size() + 1);
        at = static_cast<WORD>(at + name->size() + 1);
    }
    platform::GlobalUnlock(block);
    return block;
}

std::string NameAt(const DEVNAMES* names, WORD offset) { return reinterpret_cast<const char*>(names) + offset; }

}  // namespace

const TTypeInfo& TypeInfoFor(TPrintDialogOption*) { return EnumTypeInfo<PrintOptionNames>("TPrintDialogOption"); }

const TTypeInfo& TypeInfoFor(TPrintRange*) { return EnumTypeInfo<PrintRangeNames>("TPrintRange"); }

const TClassInfo& TPrinterDialogBase::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TPrinterDialogBase, TCommonDialog>("TPrinterDialogBase").Build();
    return info;
}

bool TPrinterDialogBase::RunWithPrinter(PRINTDLGA& record)
{
    TPrinter* printer = GlobalPrinter();
    std::string device, driver, port;
    HGLOBAL mode = nullptr;
    printer->GetDevice(device, driver, port, mode);
    if (mode) {
        record.hDevNames = MakeDeviceNames(driver, device, port);
        record.hDevMode = CopyDeviceMode(mode);
    }
    record.lStructSize = sizeof record;
    record.hInstance = platform::MainInstance();
    record.hwndOwner = Application ? Application->WindowHandle() : nullptr;
    record.lpfnPrintHook = DialogHook;
    record.lpfnSetupHook = DialogHook;

    bool confirmed = false;
    try {
        confirmed = TaskModalDialog([&] { return platform::PrintDialog(record); });
    } catch (...) {
        platform::GlobalFree(record.hDevNames);
        platform::GlobalFree(record.hDevMode);
        throw;
    }
    if (!confirmed) {
        platform::GlobalFree(record.hDevNames);
        platform::GlobalFree(record.hDevMode);
        return false;
    }
    if (auto* names = static_cast<const DEVNAMES*>(platform::GlobalLock(record.hDevNames))) {
        device = NameAt(names, names->wDeviceOffset);
        driver = NameAt(names, names->wDriverOffset);
        port = NameAt(names, names->wOutputOffset);
        platform::GlobalUnlock(record.hDevNames);
    }
    platform::GlobalFree(record.hDevNames);
    // The printer takes the device mode block over, also when it refuses it (a job is spooling).
    printer->SetDevice(device, driver, port, record.hDevMode);
    return true;
}

const TClassInfo& TPrinterSetupDialog::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TPrinterSetupDialog, TPrinterDialogBase>("TPrinterSetupDialog").Build();
    return info;
}

bool TPrinterSetupDialog::Execute()
{
    PRINTDLGA record{};
    record.Flags = PD_PRINTSETUP | PD_ENABLESETUPHOOK;
    return RunWithPrinter(record);
}

const TClassInfo& TPrintDialog::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TPrintDialog, TPrinterDialogBase>("TPrintDialog")
            .Property("Collate", &TPrintDialog::Collate, &TPrintDialog::SetCollate)
            .Property("Copies", &TPrintDialog::Copies, &TPrintDialog::SetCopies)
            .Property("FromPage", &TPrintDialog::FromPage, &TPrintDialog::SetFromPage)
            .Property("ToPage", &TPrintDialog::ToPage, &TPrintDialog::SetToPage)
            .Property("MinPage", &TPrintDialog::MinPage, &TPrintDialog::SetMinPage)
            .Property("MaxPage", &TPrintDialog::MaxPage, &TPrintDialog::SetMaxPage)
            .Property("Options", &TPrintDialog::Options, &TPrintDialog::SetOptions)
            .Property("PrintToFile", &TPrintDialog::PrintToFile, &TPrintDialog::SetPrintToFile)
            .Property("PrintRange", &TPrintDialog::PrintRange, &TPrintDialog::SetPrintRange)
            .Build();
    return info;
}

void TPrintDialog::SetCopies(int value)
{
    copies_ = value;
    // A form resource read at start-up does not choose a printer yet.
    if (!HasState(csLoading))
        GlobalPrinter()->SetCopyCount(value);
}

bool TPrintDialog::Execute()
{
    PRINTDLGA record{};
    record.Flags = PD_ENABLEPRINTHOOK | PD_ENABLESETUPHOOK;
    if (printRange_ == prSelection)
        record.Flags |= PD_SELECTION;
    else if (printRange_ == prPageNums)
        record.Flags |= PD_PAGENUMS;
    if (collate_)
        record.Flags |= PD_COLLATE;
    if (!options_.Contains(poPrintToFile))
        record.Flags |= PD_HIDEPRINTTOFILE;
    if (!options_.Contains(poPageNums))
        record.Flags |= PD_NOPAGENUMS;
    if (!options_.Contains(poSelection))
        record.Flags |= PD_NOSELECTION;
    if (options_.Contains(poDisablePrintToFile))
        record.Flags |= PD_DISABLEPRINTTOFILE;
    if (printToFile_)
        record.Flags |= PD_PRINTTOFILE;
    if (options_.Contains(poHelp))
        record.Flags |= PD_SHOWHELP;
    if (!options_.Contains(poWarning))
        record.Flags |= PD_NOWARNING;
    record.nFromPage = static_cast<WORD>(fromPage_);
    record.nToPage = static_cast<WORD>(toPage_);
    record.nMinPage = static_cast<WORD>(minPage_);
    record.nMaxPage = static_cast<WORD>(maxPage_);
    if (!RunWithPrinter(record))
        return false;
    collate_ = (record.Flags & PD_COLLATE) != 0;
    printToFile_ = (record.Flags & PD_PRINTTOFILE) != 0;
    printRange_ = (record.Flags & PD_SELECTION) ? prSelection : (record.Flags & PD_PAGENUMS) ? prPageNums : prAllPages;
    fromPage_ = record.nFromPage;
    toPage_ = record.nToPage;
    // One copy from the dialog means the driver counts them itself.
    SetCopies(record.nCopies == 1 ? GlobalPrinter()->CopyCount() : record.nCopies);
    return true;
}
