// TPrinter: the program's one printer object. It knows the installed printers, keeps the current
// printer with its device settings, hands out a device context for measuring and drawing, and runs
// a print job page by page on its canvas, TPrinterCanvas.
#pragma once

#include <memory>
#include <string>

#include "framework/core/exceptions.h"
#include "framework/core/object.h"
#include "framework/core/set.h"
#include "framework/core/string_list.h"
#include "framework/graphics/canvas.h"
#include "platform/win32.h"

DECLARE_EXCEPTION(EPrinter, Exception);

class TPrinter;

// Which kind of device context the printer holds.
enum class TPrinterHandleState { NoHandle, InfoContext, DrawContext };

// What the current printer's driver supports, from its device mode.
enum TPrinterCapability { pcCopies, pcOrientation, pcCollation };
using TPrinterCapabilities = TSet<TPrinterCapability>;

// One entry of the printer list: the names the system opens the printer by.
class TPrinterDevice : public TObject {
public:
    TPrinterDevice(std::string driver, std::string device, std::string port)
        : DriverName(std::move(driver)), DeviceName(std::move(device)), PortName(std::move(port))
    {}
    std::string DriverName;  // may be empty
    std::string DeviceName;
    std::string PortName;  // may be empty
};

// The drawing surface of the printer: measuring works whenever a printer is chosen, drawing only
// while a job runs. The font keeps its point size on any printer resolution.
class TPrinterCanvas : public TCanvas {
    DECLARE_CLASS(TPrinterCanvas)
public:
    explicit TPrinterCanvas(TPrinter* printer) : printer_(printer) {}
    TPrinter* Printer() const { return printer_; }

    // When the printer's vertical resolution differs from the font's pixels per inch, the font
    // takes the printer's, keeping its point size.
    void SyncPrinterFont();

protected:
    void CreateHandle() override;
    void Changing() override;

private:
    TPrinter* printer_;
};

class TPrinter : public TObject {
    DECLARE_CLASS(TPrinter)
public:
    TPrinter();
    // Ends a running job first.
    ~TPrinter() override;
    TPrinter(const TPrinter&) = delete;
    TPrinter& operator=(const TPrinter&) = delete;

    // A job: the device context of the current printer, one page after another. A page or document
    // the spooler refuses ends the job with EPrinter, and the next job starts afresh.
    void StartPrintJob();
    void StartNextPage();
    void FinishPrintJob();
    // Cancels the running job: what was spooled is dropped and the printer is free for the next job.
    void AbortPrintJob();

    TPrinterCanvas* Canvas();
    // An information context of the current printer, or the job's device context while one exists.
    HDC DeviceHandle();
    TPrinterHandleState HandleState() const { return state_; }
    // The printable area in dots (HORZRES, VERTRES).
    int PrintableWidth();
    int PrintableHeight();
    // The face names of the current printer's fonts, read when first asked for.
    TStrings* Fonts();

    // The index of the current printer in PrinterList(); the default printer is chosen first when
    // none is chosen yet.
    int SelectedPrinter();
    // The installed printers, each with its TPrinterDevice; read once.
    TStringList* PrinterList();
    // The number of copies the driver prints (dmCopies).
    int CopyCount();
    void SetCopyCount(int count);
    TPrinterCapabilities DeviceFeatures() const { return features_; }

    // The current printer's names and device mode block (held by the printer; may be none).
    void GetDevice(std::string& device, std::string& driver, std::string& port, HGLOBAL& mode);
    // Makes that printer current; the printer takes over the device mode block (none: the
    // driver's current settings are read). While a job runs it refuses, and frees the block.
    void SetDevice(const std::string& device, const std::string& driver, const std::string& port, HGLOBAL mode);

    const std::string& JobTitle() const { return jobTitle_; }
    void SetJobTitle(const std::string& title) { jobTitle_ = title; }
    bool JobActive() const { return jobActive_; }
    bool JobAborted() const { return jobAborted_; }
    int PageCounter() const { return pageCounter_; }

private:
    friend class TPrinterCanvas;
    // Raises "現在印刷中です" or "プリンタに印刷できる状態ではありません" unless a job runs as `printing` says.
    void CheckPrinting(bool printing) const;
    // A StartPage, EndPage or EndDoc that failed (`result` 0 or less) ends the job and raises
    // "プリンタに印刷できる状態ではありません".
    void RequireSpooled(int result);
    void SetState(TPrinterHandleState state);
    void SetToDefaultPrinter();
    void FreePrinters();
    void ReleaseDeviceMode();
    void ReadDeviceFeatures();
    void ClosePrinter();

    std::unique_ptr<TPrinterCanvas> canvas_;
    std::unique_ptr<TStringList> fonts_;
    std::unique_ptr<TStringList> printers_;
    int pageCounter_ = 0;
    int selected_ = -1;
    std::string jobTitle_;
    bool jobActive_ = false;
    bool jobAborted_ = false;
    TPrinterCapabilities features_;
    TPrinterHandleState state_ = TPrinterHandleState::NoHandle;
    HDC dc_ = nullptr;
    DEVMODEA* devMode_ = nullptr;
    HGLOBAL devModeHandle_ = nullptr;
    HANDLE printerHandle_ = nullptr;
};

// The program-wide printer, made on first use and freed when the program ends.
TPrinter* GlobalPrinter();
