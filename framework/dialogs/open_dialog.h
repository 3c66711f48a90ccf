// TOpenDialog and TSaveDialog: the system's file dialogs, in the explorer style unless the old
// style is asked for. Confirmed names land in FileName and Files; a cancelled dialog changes nothing.
#pragma once

#include <memory>
#include <string>

#include "framework/core/exceptions.h"
#include "framework/core/set.h"
#include "framework/core/string_list.h"
#include "framework/core/type_info.h"
#include "framework/dialogs/common_dialog.h"
#include "platform/common_dialogs.h"

// A file dialog that the system could not show or complete; the message names the failure.
DECLARE_EXCEPTION(EFileDialogError, Exception);

enum TOpenOption {
    ofReadOnly,
    ofOverwritePrompt,
    ofHideReadOnly,
    ofNoChangeDir,
    ofShowHelp,
    ofNoValidate,
    ofAllowMultiSelect,
    ofExtensionDifferent,
    ofPathMustExist,
    ofFileMustExist,
    ofCreatePrompt,
    ofShareAware,
    ofNoReadOnlyReturn,
    ofNoTestFileCreate,
    ofNoNetworkButton,
    ofNoLongNames,
    ofOldStyleDialog,
    ofNoDereferenceLinks,
    ofEnableIncludeNotify,
    ofEnableSizing,
    ofDontAddToRecent,
    ofForceShowHidden
};
using TOpenOptions = TSet<TOpenOption>;
const TTypeInfo& TypeInfoFor(TOpenOption*);

enum TOpenOptionEx { ofExNoPlacesBar };
using TOpenOptionsEx = TSet<TOpenOptionEx>;
const TTypeInfo& TypeInfoFor(TOpenOptionEx*);

// OnCanClose: Sender, CanClose (true unless the handler says otherwise).
using TFileCanCloseEvent = TEvent<TObject*, bool&>;
// OnIncludeItem: Sender, the system's notification about the item, Include.
using TIncludeItemEvent = TEvent<TObject*, const OFNOTIFYEXA&, bool&>;

class TOpenDialog : public TCommonDialog {
    DECLARE_CLASS(TOpenDialog)
public:
    explicit TOpenDialog(TComponent* owner);
    ~TOpenDialog() override;

    // True when the user confirmed a name, false when they cancelled. A dialog that fails (a typed
    // name longer than the system takes, a dialog that cannot start) raises EFileDialogError.
    bool Execute() override;

    const std::string& DefaultExt() const { return defaultExt_; }
    void SetDefaultExt(const std::string& value) { defaultExt_ = value; }
    // While the explorer-style dialog is shown: the name in the dialog now.
    std::string FileName() const;
    void SetFileName(const std::string& value) { fileName_ = value; }
    // The names chosen: one, or several with ofAllowMultiSelect.
    TStrings* Files() const { return files_.get(); }
    // Descriptions and patterns separated by "|": "テキスト(*.txt)|*.txt|全てのファイル(*.*)|*.*".
    const std::string& Filter() const { return filter_; }
    void SetFilter(const std::string& value) { filter_ = value; }
    // While shown: the filter the user has selected (from 1).
    int FilterIndex() const;
    void SetFilterIndex(int value) { filterIndex_ = value; }
    const std::string& InitialDir() const { return initialDir_; }
    // Drops one trailing "\" unless it follows a drive's colon.
    void SetInitialDir(const std::string& value);
    TOpenOptions Options() const { return options_; }
    void SetOptions(TOpenOptions value) { options_ = value; }
    TOpenOptionsEx OptionsEx() const { return optionsEx_; }
    void SetOptionsEx(TOpenOptionsEx value) { optionsEx_ = value; }
    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& value) { title_ = value; }
    // Names offered in the drop-down list of the explorer-style dialog's file name box, in order;
    // the caller keeps them (the dialog adds nothing). Setting copies the lines.
    TStrings* HistoryList() const { return historyList_.get(); }
    void SetHistoryList(const TStrings* value);

    // "FileEditStyle" of older form resources is read and ignored.
    void DefineProperties(TFiler& filer) override;

    TFileCanCloseEvent OnCanClose;
    TNotifyEvent OnFolderChange;
    TNotifyEvent OnSelectionChange;
    TNotifyEvent OnTypeChange;
    TIncludeItemEvent OnIncludeItem;

protected:
    // GetOpenFileNameA here, GetSaveFileNameA for the save dialog.
    virtual bool RunSystemDialog(OPENFILENAMEA& record);
    void WndProc(TMessage& message) override;

private:
    static UINT_PTR CALLBACK ExplorerHook(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void TakeFileNames(const OPENFILENAMEA& record);
    void HandleNotification(TMessage& message);
    // Answers a CDN_FILEOK: true keeps the dialog open.
    void KeepOpen(TMessage& message, bool keep);

    std::string defaultExt_;
    std::string fileName_;
    std::string filter_;
    int filterIndex_ = 1;
    std::string initialDir_;
    TOpenOptions options_{ofHideReadOnly, ofEnableSizing};
    TOpenOptionsEx optionsEx_;
    std::string title_;
    std::unique_ptr<TStringList> files_;
    std::unique_ptr<TStringList> historyList_;
    int currentFilterIndex_ = 1;  // while shown
    bool explorer_ = false;       // the shown dialog is explorer-style
};

class TSaveDialog : public TOpenDialog {
    DECLARE_CLASS(TSaveDialog)
public:
    explicit TSaveDialog(TComponent* owner) : TOpenDialog(owner) {}

protected:
    bool RunSystemDialog(OPENFILENAMEA& record) override;
};
