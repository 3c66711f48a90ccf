// TApplication: the one application object. Its hidden window owns every form; it keeps the
// primary form, runs the message loop with its filters, does the idle work (mouse tracking, hints,
// action updates), reports the exceptions the framework catches, and shows its message boxes.
#pragma once

#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "framework/controls/hints.h"
#include "framework/controls/messages.h"
#include "framework/core/action.h"
#include "framework/core/component.h"
#include "framework/core/event.h"
#include "framework/core/exceptions.h"
#include "framework/graphics/color.h"
#include "platform/win32.h"

class TControl;
class TCustomForm;
class TClassInfo;

using TIdleEvent = TEvent<TObject*, bool&>;
using TMessageEvent = TEvent<MSG&, bool&>;
using TExceptionEvent = TEvent<TObject*, const Exception&>;
using TSettingChangeEvent = TEvent<TObject*, int, const std::string&, std::intptr_t&>;
// A filter that sees every message of the application window first; Handled ends its handling.
using TWindowHook = TEvent<TMessage&, bool&>;
// Asked for help: the help command (HELP_CONTEXT, ...), its data (the context number) and whether
// the system's help should still be called (this program has no help file, so it never is).
using THelpEvent = TEvent<std::uint16_t, std::intptr_t, bool&>;

class TApplication : public TComponent {
    DECLARE_CLASS(TApplication)
public:
    explicit TApplication(TComponent* owner);
    ~TApplication() override;

    // Runs the start-up hook, if one is set.
    void StartUp();

    // Creates a form owned by the application. The reference holds the object already while its
    // constructor runs; a constructor that raises leaves it empty. The first TForm becomes the
    // primary form, with its window made at once.
    template <class T>
    void CreateAppForm(T*& reference)
    {
        void* memory = ::operator new(sizeof(T));
        reference = static_cast<T*>(memory);
        T* instance = nullptr;
        try {
            instance = new (memory) T(this);
        } catch (...) {
            reference = nullptr;
            ::operator delete(memory);
            throw;
        }
        // A form reads its resources once it is whole; one that fails there is freed again.
        try {
            instance->AfterConstruction();
        } catch (...) {
            reference = nullptr;
            FreeComponent(instance);
            throw;
        }
        AppFormCreated(instance);
    }

    // Shows the primary form and pumps messages until QuitRequested; without a primary form it
    // returns at once.
    void RunLoop();
    // One step: take a message, or do the idle work when there is none.
    void PumpMessage();
    // One step as RunLoop and the modal loops run it: an exception that escapes it goes to
    // ReportException, and the loop goes on.
    void RunLoopStep() noexcept;
    // Removes one queued message and, unless a filter takes it, translates and dispatches it.
    bool TakeMessage(MSG& msg);
    void FlushMessages();
    void IdleStep();
    // Asks the terminate hooks; when all agree, posts WM_QUIT.
    void RequestQuit();
    // The central handler of exceptions the framework catches; call from inside a catch block.
    void ReportException(TObject* sender);
    void DisplayException(const Exception& e);
    int AppMessageBox(const std::string& text, const std::string& caption, unsigned flags);
    // Help (HELP_CONTEXT and the like, CMSG_INVOKEHELP): OnAppHelp answers it; false when nothing
    // did (no help file is connected to this program).
    bool InvokeHelp(std::uint16_t command, std::intptr_t data);
    bool ShowHelpContext(int context) { return InvokeHelp(HELP_CONTEXT, context); }
    void MinimizeApp();
    void RestoreApp();
    void BringAppToFront();
    void HookMainWindow(const TWindowHook& hook);
    void UnhookMainWindow(const TWindowHook& hook);
    // Disables every visible, enabled top-level window of the thread but `except`, and returns
    // them; a modal loop or a system dialog does this while it runs.
    static std::vector<HWND> DisableThreadWindows(HWND except);
    // Enables again those of `windows` that still exist.
    static void EnableWindows(const std::vector<HWND>& windows);

    HWND WindowHandle() const { return window_; }
    std::string AppTitle() const;
    void SetAppTitle(const std::string& title);
    TCustomForm* PrimaryForm() const { return primaryForm_; }
    bool ShowPrimaryForm() const { return showPrimaryForm_; }
    void SetShowPrimaryForm(bool value) { showPrimaryForm_ = value; }
    bool QuitRequested() const { return quitRequested_; }
    void SetQuitRequested(bool value) { quitRequested_ = value; }
    bool Running() const { return running_; }
    bool Active() const { return active_; }
    TControl* MouseControl() const { return mouseControl_; }
    HICON Icon() const { return icon_; }
    HWND DialogHandle() const { return dialogHandle_; }
    void SetDialogHandle(HWND value) { dialogHandle_ = value; }
    // True while a system command is forwarded to the primary form.
    bool FocusMessagesSuppressed() const { return focusMessagesSuppressed_; }
    // Other threads queue calls here; they run on the GUI thread (WM_NULL and idle steps).
    void QueueSynchronizedCall(std::function<void()> call);
    bool RunSynchronizedCalls();

    // Hints: the application's settings, and the controller that shows them.
    THintController& Hints() { return hints_; }
    bool ShowHints() const { return hints_.Enabled(); }
    void SetShowHints(bool value) { hints_.SetEnabled(value); }
    TColor HintBackColor() const { return hints_.BackColor(); }
    void SetHintBackColor(TColor value) { hints_.SetBackColor(value); }
    int HintShowDelay() const { return hints_.ShowDelay(); }
    void SetHintShowDelay(int value) { hints_.SetShowDelay(value); }
    int HintReshowDelay() const { return hints_.ReshowDelay(); }
    void SetHintReshowDelay(int value) { hints_.SetReshowDelay(value); }
    int HintHideDelay() const { return hints_.HideDelay(); }
    void SetHintHideDelay(int value) { hints_.SetHideDelay(value); }
    bool HintShortCuts() const { return hints_.ShortCuts(); }
    void SetHintShortCuts(bool value) { hints_.SetShortCuts(value); }
    // The long hint of the control under the mouse.
    const std::string& CurrentHint() const { return currentHint_; }
    void SetCurrentHint(const std::string& value);

    // Top-most windows owned by the application are made non-top-most while it is inactive.
    void NormalizeTopMosts();
    void NormalizeAllTopMosts();
    void RestoreTopMosts();

    // The application window stands for the program on the task bar while one of its forms is
    // visible: it is shown (without size, activation or move) then, and hidden otherwise.
    void UpdateTaskBarPresence();

    // Runs the action message through the active form, then the primary form.
    bool DispatchAction(std::uint32_t message, TObject* action);
    // OnActionExecute / OnActionUpdate, Handled starting false; the answer is Handled.
    bool ExecuteAction(TBasicAction* action) override;
    bool UpdateAction(TBasicAction* action) override;
    // Clears every reference to a control that goes away.
    void ControlDestroyed(TControl* control);
    void Notification(TComponent* component, TOperation operation) override;

    TIdleEvent OnAppIdle;
    TMessageEvent OnAppMessage;
    TExceptionEvent OnAppException;
    TNotifyEvent OnAppHint;
    TNotifyEvent OnAppActivate;
    TNotifyEvent OnAppDeactivate;
    TNotifyEvent OnAppMinimize;
    TNotifyEvent OnAppRestore;
    TEvent<TMessage&, bool&> OnAppShortCut;
    TShowHintEvent OnAppShowHint;
    TSettingChangeEvent OnAppSettingChange;
    TActionEvent OnActionExecute;
    TActionEvent OnActionUpdate;
    THelpEvent OnAppHelp;

private:
    void AppFormCreated(TComponent* instance);
    void CreateAppWindow();
    void DestroyAppWindow();
    static LRESULT CALLBACK AppWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void WndProc(TMessage& message);
    void DefaultAppHandler(TMessage& message);
    bool IsKeyMsg(MSG& msg);
    bool IsDlgMsg(MSG& msg);
    bool DeliverDialogDoubleByteChar(const MSG& msg);
    bool IsMDIMsg(MSG& msg);
    bool IsShortCut(TMessage& message);
    void FocusFirstWindow();
    void DoNormalizeTopMosts(bool includePrimary);
    // ReportException for the loop's own steps; a report that fails in turn (an OnAppException
    // handler that raises) is dropped, so that the loop goes on.
    void ReportStepException() noexcept;
    void Shutdown();
    static void ShutdownAtExit();

    HWND window_ = nullptr;
    bool windowCreated_ = false;
    std::string title_;
    TCustomForm* primaryForm_ = nullptr;
    bool showPrimaryForm_ = true;
    bool quitRequested_ = false;
    bool running_ = false;
    bool active_ = true;
    TControl* mouseControl_ = nullptr;
    HICON icon_ = nullptr;
    HWND dialogHandle_ = nullptr;
    char dialogLeadByte_ = 0;  // the first byte of a character typed into the dialog
    bool focusMessagesSuppressed_ = false;
    std::vector<TWindowHook> hooks_;
    std::vector<HWND> topMostList_;
    int topMostLevel_ = 0;
    std::vector<HWND> disabledWindows_;
    bool disabledWindowsHeld_ = false;
    bool updateFormatSettings_ = true;
    bool updateMetricSettings_ = true;

    THintController hints_{*this};
    std::string currentHint_;

    std::mutex syncLock_;
    std::vector<std::function<void()>> syncCalls_;
};

// The runtime's start-up hook (StartUp calls it) and terminate hooks (RequestQuit asks them).
void SetStartUpHook(void (*hook)());
void AddTerminateHook(bool (*hook)());
void RemoveTerminateHook(bool (*hook)());
// Asks every terminate hook; true when all agree to end the program.
bool CallTerminateHooks();

// Whether the system offers window animation (looked up once at start-up).
bool CanAnimateWindows();

extern TApplication* Application;
