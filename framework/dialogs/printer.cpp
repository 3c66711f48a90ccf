// TPrinter: the current printer, its device contexts and its print jobs; TPrinterCanvas.
#include "framework/dialogs/printer.h"

#include <cstring>
#include <vector>

#include "framework/controls/application.h"
#include "framework/controls/exception_hooks.h"
#include "framework/core/class_info.h"
#include "framework/core/format.h"
#include "platform/gdi.h"
#include "platform/locale.h"
#include "platform/memory.h"
#include "platform/module.h"
#include "platform/printing.h"
#include "platform/screen.h"

namespace {

std::unique_ptr<TPrinter>& GlobalPrinterSlot()
{
    static std::unique_ptr<TPrinter> printer;
    return printer;
}

// The printer whose job the spooler works on (the last one started).
TPrinter* spooling = nullptr;

// Called by the spooler while it works: the program stays responsive, and a job aborted meanwhile
// stops.
BOOL CALLBACK AbortProc(HDC, int)
{
    try {
        if (Application)
            Application->FlushMessages();
    } catch (...) {
        HandleFrameworkException(spooling);
    }
    return !(spooling && spooling->JobAborted());
}

// The records EnumPrintersA gives at `level` for `flags`; none when there are none or the second
// call fails.
std::vector<BYTE> EnumeratePrinters(DWORD flags, DWORD level, DWORD& count)
{
    count = 0;
    DWORD needed = 0;
    platform::EnumPrinters(flags, level, nullptr, 0, needed, count);
    if (needed == 0)
        return {};
    std::vector<BYTE> records(needed);
    if (!platform::EnumPrinters(flags, level, records.data(), needed, needed, count)) {
        count = 0;
        return {};
    }
    return records;
}

bool IsNtPlatform() { return (platform::SystemVersion() & 0x80000000u) == 0; }

}  // namespace

// ---- TPrinterCanvas ----

const TClassInfo& TPrinterCanvas::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TPrinterCanvas, TCanvas>("TPrinterCanvas").Build();
    return info;
}

void TPrinterCanvas::CreateHandle()
{
    printer_->SetState(TPrinterHandleState::InfoContext);
    SyncPrinterFont();
    SetHandle(printer_->dc_);
}

void TPrinterCanvas::Changing()
{
    printer_->CheckPrinting(true);
    TCanvas::Changing();
    SyncPrinterFont();
}

void TPrinterCanvas::SyncPrinterFont()
{
    int resolution = platform::DeviceCaps(printer_->DeviceHandle(), LOGPIXELSY);
    if (resolution == Font()->PixelsPerInch())
        return;
    int size = Font()->Size();
    Font()->SetPixelsPerInch(resolution);
    Font()->SetSize(size);
}

// ---- TPrinter ----

const TClassInfo& TPrinter::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TPrinter, TObject>("TPrinter").Build();
    return info;
}

TPrinter::TPrinter() = default;

TPrinter::~TPrinter()
{
    if (jobActive_) {
        try {
            FinishPrintJob();
        } catch (...) {
            // A destructor cannot report it; the job ends with the device context below.
        }
    }
    jobActive_ = false;
    if (spooling == this)
        spooling = nullptr;
    if (canvas_)
        canvas_->SetHandle(nullptr);
    if (dc_)
        platform::DeleteDC(dc_);
    ReleaseDeviceMode();
    ClosePrinter();
    FreePrinters();
}

void TPrinter::CheckPrinting(bool printing) const
{
    if (jobActive_ != printing)
        throw EPrinter(printing ? SNotPrinting : SPrinting);
}

TPrinterCanvas* TPrinter::Canvas()
{
    if (!canvas_)
        canvas_ = std::make_unique<TPrinterCanvas>(this);
    return canvas_.get();
}

void TPrinter::SetState(TPrinterHandleState state)
{
    if (state == state_)
        return;
    switch (state) {
    case TPrinterHandleState::NoHandle:
        CheckPrinting(false);
        if (canvas_)
            canvas_->SetHandle(nullptr);
        platform::DeleteDC(dc_);
        dc_ = nullptr;
        state_ = state;
        return;
    case TPrinterHandleState::InfoContext:
        if (state_ == TPrinterHandleState::DrawContext)
            return;  // the job's device context answers as well
        break;
    case TPrinterHandleState::DrawContext:
        if (canvas_)
            canvas_->SetHandle(nullptr);
        if (dc_)
            platform::DeleteDC(dc_);
        dc_ = nullptr;
        break;
    }
    auto* device = static_cast<TPrinterDevice*>(PrinterList()->GetObject(SelectedPrinter()));
    dc_ = state == TPrinterHandleState::DrawContext
              ? platform::CreateDeviceDC(device->DriverName, device->DeviceName, device->PortName, devMode_)
              : platform::CreateInfoDC(device->DriverName, device->DeviceName, device->PortName, devMode_);
    if (!dc_) {
        state_ = TPrinterHandleState::NoHandle;
        throw EPrinter(SInvalidPrinter);
    }
    if (canvas_)
        canvas_->SetHandle(dc_);
    state_ = state;
}

HDC TPrinter::DeviceHandle()
{
    SetState(TPrinterHandleState::InfoContext);
    return dc_;
}

int TPrinter::PrintableWidth() { return platform::DeviceCaps(DeviceHandle(), HORZRES); }

int TPrinter::PrintableHeight() { return platform::DeviceCaps(DeviceHandle(), VERTRES); }

TStrings* TPrinter::Fonts()
{
    if (!fonts_)
        fonts_ = DeviceFontNames(DeviceHandle());
    return fonts_.get();
}

void TPrinter::StartPrintJob()
{
    CheckPrinting(false);
    SetState(TPrinterHandleState::DrawContext);
    Canvas()->Refresh();
    canvas_->SyncPrinterFont();
    jobActive_ = true;
    jobAborted_ = false;
    pageCounter_ = 1;
    DOCINFOA info;
    std::memset(&info, 0, sizeof info);
    info.cbSize = sizeof info;
    info.lpszDocName = jobTitle_.c_str();
    spooling = this;
    platform::SetAbortProc(dc_, AbortProc);
    if (platform::StartDoc(dc_, info) <= 0) {
        // The spooler refused the job: say so rather than print into nothing.
        std::uint32_t error = platform::LastError();
        jobActive_ = false;
        pageCounter_ = 0;
        RaiseOSError(error);
    }
    RequireSpooled(platform::StartPage(dc_));
}

void TPrinter::StartNextPage()
{
    CheckPrinting(true);
    RequireSpooled(platform::EndPage(dc_));
    RequireSpooled(platform::StartPage(dc_));
    ++pageCounter_;
    canvas_->Refresh();
}

void TPrinter::FinishPrintJob()
{
    CheckPrinting(true);
    RequireSpooled(platform::EndPage(dc_));
    if (!jobAborted_)
        RequireSpooled(platform::EndDoc(dc_));
    jobActive_ = false;
    jobAborted_ = false;
    pageCounter_ = 0;
}

void TPrinter::AbortPrintJob()
{
    CheckPrinting(true);
    jobAborted_ = true;  // stays set until the next job, so that a spooler call under way stops too
    platform::AbortDoc(dc_);
    jobActive_ = false;
    pageCounter_ = 0;
    // A context whose document was aborted takes no new one: the next job makes a fresh context.
    SetState(TPrinterHandleState::NoHandle);
}

void TPrinter::RequireSpooled(int result)
{
    if (result > 0)
        return;
    // A job the spooler refused would otherwise look printed, and a job left open would refuse
    // every later one: it is dropped, and the printer is ready for the next.
    if (jobActive_)
        AbortPrintJob();
    throw EPrinter(SNotPrinting);
}

TStringList* TPrinter::PrinterList()
{
    if (printers_)
        return printers_.get();
    printers_ = std::make_unique<TStringList>();
    try {
        DWORD count = 0;
        if (IsNtPlatform()) {
            std::vector<BYTE> records = EnumeratePrinters(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, 4, count);
            auto* info = reinterpret_cast<const PRINTER_INFO_4A*>(records.data());
            for (DWORD i = 0; i < count; ++i)
                printers_->AddObject(info[i].pPrinterName, new TPrinterDevice("", info[i].pPrinterName, ""));
        } else {
            std::vector<BYTE> records = EnumeratePrinters(PRINTER_ENUM_LOCAL, 5, count);
            auto* info = reinterpret_cast<const PRINTER_INFO_5A*>(records.data());
            for (DWORD i = 0; i < count; ++i) {
                // One entry per port of the comma-separated list; blanks before a port are skipped.
                const char* ports = info[i].pPortName ? info[i].pPortName : "";
                for (const char* p = ports; *p;) {
                    while (*p == ' ')
                        ++p;
                    const char* end = std::strchr(p, ',');
                    std::string port = end ? std::string(p, end) : std::string(p);
                    printers_->AddObject(
                        Format(LoadResString(SDeviceOnPort), {info[i].pPrinterName, port}),
                        new TPrinterDevice("", info[i].pPrinterName, port));
                    p = end ? end + 1 : p + port.size();
                }
            }
        }
    } catch (...) {
        FreePrinters();
        throw;
    }
    return printers_.get();
}

void TPrinter::FreePrinters()
{
    if (!printers_)
        return;
    for (int i = 0; i < printers_->Count(); ++i)
        delete printers_->GetObject(i);
    printers_.reset();
}

int TPrinter::SelectedPrinter()
{
    if (selected_ == -1)
        SetToDefaultPrinter();
    return selected_;
}

void TPrinter::SetToDefaultPrinter()
{
    DWORD needed = 0, count = 0;
    if (!platform::EnumPrinters(PRINTER_ENUM_DEFAULT, 5, nullptr, 0, needed, count)) {
        std::uint32_t error = platform::LastError();
        if (error == ERROR_INVALID_NAME)
            throw EPrinter(SNoDefaultPrinter);
        if (error != ERROR_INSUFFICIENT_BUFFER)
            RaiseOSError(error);
    }
    std::vector<BYTE> records = EnumeratePrinters(PRINTER_ENUM_DEFAULT, 5, count);
    std::string name;
    if (count > 0) {
        name = reinterpret_cast<const PRINTER_INFO_5A*>(records.data())->pPrinterName;
    } else {
        // Some systems answer the default enumeration with nothing: the profile names the printer.
        name = platform::ProfileString("windows", "device", 1023);
        name = name.substr(0, name.find(','));
    }
    TStringList* printers = PrinterList();
    for (int i = 0; i < printers->Count(); ++i) {
        auto* device = static_cast<TPrinterDevice*>(printers->GetObject(i));
        if (!name.empty() && platform::CompareAnsi(device->DeviceName, name, true) == 0) {
            SetDevice(device->DeviceName, device->DriverName, device->PortName, nullptr);
            return;
        }
    }
    throw EPrinter(SNoDefaultPrinter);
}

void TPrinter::ReadDeviceFeatures()
{
    features_ = {};
    if (!devMode_)
        return;
    if (devMode_->dmFields & DM_ORIENTATION)
        features_.Include(pcOrientation);
    if (devMode_->dmFields & DM_COPIES)
        features_.Include(pcCopies);
    if (devMode_->dmFields & DM_COLLATE)
        features_.Include(pcCollation);
}

void TPrinter::ReleaseDeviceMode()
{
    if (!devModeHandle_)
        return;
    if (devMode_)
        platform::GlobalUnlock(devModeHandle_);
    platform::GlobalFree(devModeHandle_);
    devModeHandle_ = nullptr;
    devMode_ = nullptr;
}

void TPrinter::ClosePrinter()
{
    if (printerHandle_)
        platform::ClosePrinter(printerHandle_);
    printerHandle_ = nullptr;
}

void TPrinter::GetDevice(std::string& device, std::string& driver, std::string& port, HGLOBAL& mode)
{
    auto* entry = static_cast<TPrinterDevice*>(PrinterList()->GetObject(SelectedPrinter()));
    device = entry->DeviceName;
    driver = entry->DriverName;
    port = entry->PortName;
    mode = devModeHandle_;
}

void TPrinter::SetDevice(const std::string& device, const std::string& driver, const std::string& port, HGLOBAL mode)
{
    if (jobActive_ && mode && mode != devModeHandle_)
        platform::GlobalFree(mode);  // refused below, and nobody else holds it
    CheckPrinting(false);
    if (mode != devModeHandle_) {
        ReleaseDeviceMode();
        devModeHandle_ = mode;
    }
    if (devModeHandle_ && !devMode_) {
        devMode_ = static_cast<DEVMODEA*>(platform::GlobalLock(devModeHandle_));
        ReadDeviceFeatures();
    }
    fonts_.reset();
    ClosePrinter();
    SetState(TPrinterHandleState::NoHandle);

    TStringList* printers = PrinterList();
    selected_ = -1;
    for (int i = 0; i < printers->Count() && selected_ == -1; ++i) {
        auto* entry = static_cast<TPrinterDevice*>(printers->GetObject(i));
        if (entry->DeviceName == device && (entry->PortName.empty() || entry->PortName == port)) {
            entry->PortName = port;
            selected_ = i;
        }
    }
    if (selected_ == -1)
        selected_ = printers->AddObject(
            Format(LoadResString(SDeviceOnPort), {device, port}), new TPrinterDevice(driver, device, port));

    printerHandle_ = platform::OpenPrinter(device);
    if (!printerHandle_)
        return;
    if (!devModeHandle_) {
        LONG size = platform::DocumentProperties(printerHandle_, device, nullptr, 0);
        if (size > 0 && (devModeHandle_ = platform::GlobalAllocZeroed(static_cast<std::uint32_t>(size)))) {
            devMode_ = static_cast<DEVMODEA*>(platform::GlobalLock(devModeHandle_));
            if (platform::DocumentProperties(printerHandle_, device, devMode_, DM_OUT_BUFFER) < 0)
                ReleaseDeviceMode();
        }
    }
    ReadDeviceFeatures();
}

int TPrinter::CopyCount()
{
    SelectedPrinter();
    if (!devMode_)
        throw EPrinter(SInvalidPrinterOp);
    return devMode_->dmCopies;
}

void TPrinter::SetCopyCount(int count)
{
    CheckPrinting(false);
    SelectedPrinter();
    if (!devMode_)
        throw EPrinter(SInvalidPrinterOp);
    SetState(TPrinterHandleState::NoHandle);
    devMode_->dmCopies = static_cast<short>(count);
}

TPrinter* GlobalPrinter()
{
    std::unique_ptr<TPrinter>& printer = GlobalPrinterSlot();
    if (!printer)
        printer = std::make_unique<TPrinter>();
    return printer.get();
}
