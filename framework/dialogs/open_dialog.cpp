// TOpenDialog and TSaveDialog: the record, the filter, the name buffer, the notifications of the
// explorer-style dialog and the chosen names.
#include "framework/dialogs/open_dialog.h"

#include <vector>

#include "framework/core/class_info.h"
#include "framework/core/double_byte.h"
#include "framework/core/filer.h"
#include "framework/core/reader.h"
#include "framework/dialogs/dialog_flags.h"
#include "framework/controls/application.h"
#include "framework/controls/exception_hooks.h"
#include "platform/common_dialogs.h"
#include "platform/module.h"
#include "platform/screen.h"
#include "platform/window.h"

namespace {

// The OFN flag of each TOpenOption, in the order of the enumeration.
constexpr std::uint32_t OpenFlags[] = {
    OFN_READONLY,        OFN_OVERWRITEPROMPT,  OFN_HIDEREADONLY,       OFN_NOCHANGEDIR,         OFN_SHOWHELP,
    OFN_NOVALIDATE,      OFN_ALLOWMULTISELECT, OFN_EXTENSIONDIFFERENT, OFN_PATHMUSTEXIST,       OFN_FILEMUSTEXIST,
    OFN_CREATEPROMPT,    OFN_SHAREAWARE,       OFN_NOREADONLYRETURN,   OFN_NOTESTFILECREATE,    OFN_NONETWORKBUTTON,
    OFN_NOLONGNAMES,     OFN_EXPLORER,         OFN_NODEREFERENCELINKS, OFN_ENABLEINCLUDENOTIFY, OFN_ENABLESIZING,
    OFN_DONTADDTORECENT, OFN_FORCESHOWHIDDEN};
constexpr std::uint32_t OpenFlagsEx[] = {OFN_EX_NOPLACESBAR};

constexpr TEnumName<TOpenOption> OpenOptionNames[] = {
    {ofReadOnly, "ofReadOnly"},
    {ofOverwritePrompt, "ofOverwritePrompt"},
    {ofHideReadOnly, "ofHideReadOnly"},
    {ofNoChangeDir, "ofNoChangeDir"},
    {ofShowHelp, "ofShowHelp"},
    {ofNoValidate, "ofNoValidate"},
    {ofAllowMultiSelect, "ofAllowMultiSelect"},
    {ofExtensionDifferent, "ofExtensionDifferent"},
    {ofPathMustExist, "ofPathMustExist"},
    {ofFileMustExist, "ofFileMustExist"},
    {ofCreatePrompt, "ofCreatePrompt"},
    {ofShareAware, "ofShareAware"},
    {ofNoReadOnlyReturn, "ofNoReadOnlyReturn"},
    {ofNoTestFileCreate, "ofNoTestFileCreate"},
    {ofNoNetworkButton, "ofNoNetworkButton"},
    {ofNoLongNames, "ofNoLongNames"},
    {ofOldStyleDialog, "ofOldStyleDialog"},
    {ofNoDereferenceLinks, "ofNoDereferenceLinks"},
    {ofEnableIncludeNotify, "ofEnableIncludeNotify"},
    {ofEnableSizing, "ofEnableSizing"},
    {ofDontAddToRecent, "ofDontAddToRecent"},
    {ofForceShowHidden, "ofForceShowHidden"}};
constexpr TEnumName<TOpenOptionEx> OpenOptionExNames[] = {{ofExNoPlacesBar, "ofExNoPlacesBar"}};
static_assert(std::size(OpenFlags) == std::size(OpenOptionNames));

constexpr std::uint32_t SingleNameBuffer = MAX_PATH;
constexpr std::uint32_t MultiNameBuffer = 65519;

const bool registered = (RegisterDialogClasses({&TOpenDialog::StaticClass(), &TSaveDialog::StaticClass()}), true);

// The whole record on Windows 2000 and later and on Windows ME; the record of the older systems else.
DWORD RecordSize()
{
    DWORD version = platform::SystemVersion();
    unsigned major = version & 0xFF, minor = (version >> 8) & 0xFF;
    bool nt = (version & 0x80000000u) == 0;
    bool whole = nt ? major >= 5 : (major > 4 || (major == 4 && minor >= 90));
    return whole ? sizeof(OPENFILENAMEA) : OPENFILENAME_SIZE_VERSION_400A;
}

// The filter as the system takes it: each "|" (a character of its own, never the second byte of a
// double-byte character) becomes NUL, and two NULs end it.
std::string SystemFilter(const std::string& filter)
{
    std::string result = filter;
    for (std::size_t at = dbcs::FindChar(result, '|'); at != dbcs::npos; at = dbcs::FindChar(result, '|', at + 1))
        result[at] = '\0';
    result.append(2, '\0');
    return result;
}

bool EndsWithBackslash(const std::string& path) { return !path.empty() && path[dbcs::LastCharStart(path)] == '\\'; }

// The extension of a file name without its dot; empty when it has none.
std::string ExtensionOf(const std::string& name)
{
    std::size_t at = dbcs::FindLastOf(name, ".\\:");
    return at != dbcs::npos && name[at] == '.' ? name.substr(at + 1) : std::string();
}

// A name given whole rather than relative to the directory: "\..." or "X:\...".
bool IsWholePath(const std::string& name)
{
    return (!name.empty() && name[0] == '\\') || (name.size() >= 4 && name[1] == ':' && name[2] == '\\');
}

// The failure of a file dialog, by its extended error, in words.
[[noreturn]] void RaiseDialogFailure(DWORD error)
{
    unsigned reason = SFileDialogNotStarted;
    if (error == FNERR_BUFFERTOOSMALL)
        reason = SFileNameTooLong;
    else if (error == FNERR_INVALIDFILENAME)
        reason = SFileNameInvalid;
    throw EFileDialogError(SFileDialogFailed, {LoadResString(reason), static_cast<unsigned>(error)});
}

}  // namespace

const TTypeInfo& TypeInfoFor(TOpenOption*) { return EnumTypeInfo<OpenOptionNames>("TOpenOption"); }

const TTypeInfo& TypeInfoFor(TOpenOptionEx*) { return EnumTypeInfo<OpenOptionExNames>("TOpenOptionEx"); }

const TClassInfo& TOpenDialog::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TOpenDialog, TCommonDialog>("TOpenDialog")
            .Property("DefaultExt", &TOpenDialog::DefaultExt, &TOpenDialog::SetDefaultExt)
            .Property("FileName", &TOpenDialog::FileName, &TOpenDialog::SetFileName)
            .Property("Filter", &TOpenDialog::Filter, &TOpenDialog::SetFilter)
            .Property("FilterIndex", &TOpenDialog::FilterIndex, &TOpenDialog::SetFilterIndex)
            .Property("InitialDir", &TOpenDialog::InitialDir, &TOpenDialog::SetInitialDir)
            .Property("Options", &TOpenDialog::Options, &TOpenDialog::SetOptions)
            .Property("OptionsEx", &TOpenDialog::OptionsEx, &TOpenDialog::SetOptionsEx)
            .Property("Title", &TOpenDialog::Title, &TOpenDialog::SetTitle)
            .Property("OnCanClose", &TOpenDialog::OnCanClose)
            .Property("OnFolderChange", &TOpenDialog::OnFolderChange)
            .Property("OnSelectionChange", &TOpenDialog::OnSelectionChange)
            .Property("OnTypeChange", &TOpenDialog::OnTypeChange)
            .Property("OnIncludeItem", &TOpenDialog::OnIncludeItem)
            .Build();
    return info;
}

TOpenDialog::TOpenDialog(TComponent* owner)
    : TCommonDialog(owner), files_(std::make_unique<TStringList>()), historyList_(std::make_unique<TStringList>())
{}

void TOpenDialog::SetHistoryList(const TStrings* value)
{
    if (value)
        historyList_->Assign(value);
    else
        historyList_->Clear();
}

TOpenDialog::~TOpenDialog() = default;

void TOpenDialog::DefineProperties(TFiler& filer)
{
    TCommonDialog::DefineProperties(filer);
    filer.DefineProperty(
        "FileEditStyle", [](TReader& reader) { reader.SkipValue(); }, nullptr, false);
}

std::string TOpenDialog::FileName() const
{
    if (Handle() && explorer_) {
        char buffer[MAX_PATH + 1] = {};
        LRESULT length = platform::SendMessage(
            platform::ParentWindow(Handle()), CDM_GETFILEPATH, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
        if (length > 0)
            return std::string(buffer, strnlen(buffer, sizeof buffer));
    }
    return fileName_;
}

int TOpenDialog::FilterIndex() const { return Handle() ? currentFilterIndex_ : filterIndex_; }

void TOpenDialog::SetInitialDir(const std::string& value)
{
    std::string dir = value;
    if (dir.size() > 1 && EndsWithBackslash(dir)) {
        std::size_t slash = dbcs::LastCharStart(dir);
        if (dir[dbcs::PrevCharStart(dir, slash)] != ':')
            dir.resize(slash);
    }
    initialDir_ = dir;
}

bool TOpenDialog::Execute()
{
    files_->Clear();
    OPENFILENAMEA record{};
    record.lStructSize = RecordSize();
    record.hInstance = platform::MainInstance();
    record.hwndOwner = Application ? Application->WindowHandle() : nullptr;

    std::string filter = SystemFilter(filter_);
    if (!filter_.empty())
        record.lpstrFilter = filter.c_str();
    record.nFilterIndex = filterIndex_;
    currentFilterIndex_ = filterIndex_;

    bool multiSelect = options_.Contains(ofAllowMultiSelect);
    std::uint32_t size = multiSelect ? MultiNameBuffer : SingleNameBuffer;
    std::vector<char> names(size + 2, '\0');
    fileName_.copy(names.data(), dbcs::CutLength(fileName_, size));
    record.lpstrFile = names.data();
    record.nMaxFile = size;

    if (!initialDir_.empty())
        record.lpstrInitialDir = initialDir_.c_str();
    if (!title_.empty())
        record.lpstrTitle = title_.c_str();

    record.Flags = OFN_ENABLEHOOK | FlagsOf(options_, OpenFlags);
    if (NewStyleControls()) {
        record.Flags ^= OFN_EXPLORER;
        if (record.lStructSize == sizeof(OPENFILENAMEA))
            record.FlagsEx = FlagsOf(optionsEx_, OpenFlagsEx);
    } else {
        record.Flags &= ~OFN_EXPLORER;
    }
    explorer_ = (record.Flags & OFN_EXPLORER) != 0;

    std::string defaultExt = defaultExt_;
    if (defaultExt.empty() && !explorer_)
        defaultExt = ExtensionOf(fileName_);
    if (!defaultExt.empty())
        record.lpstrDefExt = defaultExt.c_str();
    record.lpfnHook = explorer_ ? ExplorerHook : DialogHook;

    std::string previousName = fileName_;
    if (!TaskModalDialog([&] { return RunSystemDialog(record); })) {
        // Names a refused CDN_FILEOK took do not count.
        files_->Clear();
        fileName_ = previousName;
        // A failure is no cancel: whoever asked must not go on as if the user had said no.
        if (const DWORD error = platform::CommonDialogError())
            RaiseDialogFailure(error);
        return false;
    }
    TakeFileNames(record);
    options_ =
        (record.Flags & OFN_EXTENSIONDIFFERENT) ? options_ | ofExtensionDifferent : options_ - ofExtensionDifferent;
    options_ = (record.Flags & OFN_READONLY) ? options_ | ofReadOnly : options_ - ofReadOnly;
    filterIndex_ = static_cast<int>(record.nFilterIndex);
    return true;
}

bool TOpenDialog::RunSystemDialog(OPENFILENAMEA& record) { return platform::GetOpenFileName(record); }

void TOpenDialog::TakeFileNames(const OPENFILENAMEA& record)
{
    files_->Clear();
    const char* buffer = record.lpstrFile;
    if (!options_.Contains(ofAllowMultiSelect)) {
        files_->Add(std::string(buffer, strnlen(buffer, record.nMaxFile)));
    } else {
        // A directory and the names in it, separated by NUL (by a space in the old style).
        std::vector<std::string> parts;
        if (explorer_) {
            for (const char* p = buffer; *p && p < buffer + record.nMaxFile; p += parts.back().size() + 1)
                parts.emplace_back(p);
        } else {
            std::string all(buffer, strnlen(buffer, record.nMaxFile));
            for (std::size_t from = 0; from <= all.size();) {
                std::size_t space = dbcs::FindChar(all, ' ', from);
                std::size_t end = space == dbcs::npos ? all.size() : space;
                if (end > from)
                    parts.push_back(all.substr(from, end - from));
                from = end + 1;
            }
        }
        if (parts.size() == 1) {
            files_->Add(parts[0]);
        } else if (!parts.empty()) {
            const std::string& dir = parts[0];
            std::string joint = EndsWithBackslash(dir) ? dir : dir + '\\';
            for (std::size_t i = 1; i < parts.size(); ++i)
                files_->Add(IsWholePath(parts[i]) ? parts[i] : joint + parts[i]);
        }
    }
    fileName_ = files_->Count() > 0 ? files_->Get(0) : std::string();
}

UINT_PTR CALLBACK TOpenDialog::ExplorerHook(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    try {
        if (message == WM_INITDIALOG)
            BindCreationDialog(window, wParam, lParam);
        else if (message == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lParam)->code == CDN_INITDONE)
            CentreWindow(platform::ParentWindow(window));
    } catch (...) {
        HandleFrameworkException(nullptr);
    }
    return 0;
}

void TOpenDialog::WndProc(TMessage& m)
{
    if (m.Msg == WM_INITDIALOG && explorer_) {
        // The explorer-style dialog shows itself at CDN_INITDONE.
        m.Result = 0;
        return;
    }
    if (m.Msg == WM_NOTIFY && explorer_) {
        HandleNotification(m);
        if (m.Result != 0)
            return;
    }
    TCommonDialog::WndProc(m);
}

void TOpenDialog::KeepOpen(TMessage& m, bool keep)
{
    m.Result = keep ? 1 : 0;
    platform::SetWindowLong(Handle(), DWLP_MSGRESULT, m.Result);
}

void TOpenDialog::HandleNotification(TMessage& m)
{
    const auto& notify = *reinterpret_cast<const OFNOTIFYA*>(m.LParam);
    switch (notify.hdr.code) {
    case CDN_FILEOK: {
        // The answer is the notification's result, 1 keeping the dialog open. It is given before
        // OnCanClose runs, so that an exception there keeps the dialog open as well.
        KeepOpen(m, true);
        TakeFileNames(*notify.lpOFN);
        bool canClose = true;
        if (OnCanClose)
            OnCanClose(this, canClose);
        KeepOpen(m, !canClose);
        break;
    }
    case CDN_INITDONE: {
        std::vector<std::string> history;
        history.reserve(static_cast<std::size_t>(historyList_->Count()));
        for (int i = 0; i < historyList_->Count(); ++i)
            history.push_back(historyList_->Get(i));
        if (!history.empty())
            platform::AddFileNameChoices(platform::ParentWindow(Handle()), history);
        DoShow();
        break;
    }
    case CDN_SELCHANGE:
        if (OnSelectionChange)
            OnSelectionChange(this);
        break;
    case CDN_FOLDERCHANGE:
        if (OnFolderChange)
            OnFolderChange(this);
        break;
    case CDN_TYPECHANGE:
        if (static_cast<int>(notify.lpOFN->nFilterIndex) != currentFilterIndex_) {
            currentFilterIndex_ = static_cast<int>(notify.lpOFN->nFilterIndex);
            if (OnTypeChange)
                OnTypeChange(this);
        }
        break;
    case CDN_INCLUDEITEM: {
        bool include = true;
        if (OnIncludeItem)
            OnIncludeItem(this, *reinterpret_cast<const OFNOTIFYEXA*>(m.LParam), include);
        m.Result = include ? 1 : 0;
        platform::SetWindowLong(Handle(), DWLP_MSGRESULT, m.Result);
        break;
    }
    default: break;
    }
}

const TClassInfo& TSaveDialog::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TSaveDialog, TOpenDialog>("TSaveDialog").Build();
    return info;
}

bool TSaveDialog::RunSystemDialog(OPENFILENAMEA& record) { return platform::GetSaveFileName(record); }
