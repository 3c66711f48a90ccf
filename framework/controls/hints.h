// THintController: the application's hints. A control under the mouse whose ShowHint is on gets its
// short hint shown after a pause, for a while; the controller owns the hint window, its timer and,
// outside the application's loop, the hook and watcher thread that end a hint.
#pragma once

#include <string>
#include <thread>

#include "framework/core/event.h"
#include "framework/graphics/color.h"
#include "platform/win32.h"

class TApplication;
class TClassInfo;
class TComponent;
class TControl;
class THintWindow;

// What a hint shows and where; handlers of CMSG_HINTSHOW and OnAppShowHint may change it.
struct THintInfo {
    TControl* HintControl = nullptr;
    POINT HintPos{};  // screen position of the hint window
    int HintMaxWidth = 0;
    TColor HintColor{};
    RECT CursorRect{};  // screen rectangle within which the hint stays
    POINT CursorPos{};  // cursor position in the control's coordinates
    int ReshowTimeout = 0;
    int HideTimeout = 0;
    std::string HintStr;
};

using TShowHintEvent = TEvent<std::string&, bool&, THintInfo&>;

class THintController {
public:
    explicit THintController(TApplication& application);
    ~THintController();
    THintController(const THintController&) = delete;
    THintController& operator=(const THintController&) = delete;

    // Switching hints on makes the one hint window (owned by the application); off frees it.
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    TColor BackColor() const { return backColor_; }
    void SetBackColor(TColor value);
    // The pause before a hint shows; the pause when the mouse moves on while one is up; how long it stays.
    int ShowDelay() const { return showDelay_; }
    void SetShowDelay(int value) { showDelay_ = value; }
    int ReshowDelay() const { return reshowDelay_; }
    void SetReshowDelay(int value) { reshowDelay_ = value; }
    int HideDelay() const { return hideDelay_; }
    void SetHideDelay(int value) { hideDelay_ = value; }
    // Whether a control linked to an action with a shortcut shows the shortcut after its hint.
    bool ShortCuts() const { return shortCuts_; }
    void SetShortCuts(bool value) { shortCuts_ = value; }

    THintWindow* Window() const { return window_; }
    bool Active() const { return active_; }
    TControl* Control() const { return control_; }

    // A control got a mouse message: starts, moves or ends the hint for the control under the cursor.
    void MouseMoved();
    // Shows the hint of the hinted control when it is still under `cursorPos` (screen coordinates).
    void Activate(POINT cursorPos);
    // Hides the window, forgets the control and stops the timer.
    void Cancel();
    void Hide();
    // Cancels a showing hint when the queued message is one that closes hints (keys, clicks, commands).
    void MessageTaken(const MSG& msg);
    void ControlDestroyed(TControl* control);
    // The application lets go of a component: forgets the hint window when it is that.
    void ComponentRemoved(TComponent* component);

private:
    void StartTimer(int delay, bool showMode);
    void StopTimer();
    void TimerExpired();
    static void CALLBACK TimerProc(HWND, UINT, UINT_PTR, DWORD);
    // Outside the application's loop (inside a host's loop) a message hook and a watcher thread end hints.
    void StartWatching();
    void StopWatching();
    static LRESULT CALLBACK GetMessageHook(int code, WPARAM wParam, LPARAM lParam);

    TApplication& application_;
    bool enabled_ = false;
    TColor backColor_;
    int showDelay_ = 500;
    int reshowDelay_ = 0;
    int hideDelay_ = 2500;
    bool shortCuts_ = true;
    THintWindow* window_ = nullptr;
    TControl* control_ = nullptr;
    RECT cursorRect_{};
    bool active_ = false;
    UINT_PTR timer_ = 0;
    bool timerShows_ = false;
    HHOOK hook_ = nullptr;
    HANDLE watcherDone_ = nullptr;
    std::thread watcher_;
};

// The class of the hint window made when hints are switched on (THintWindow or a descendant).
extern const TClassInfo* HintWindowClass;

// The short hint (before the first "|") and the long hint (after it; the whole text without one).
std::string GetShortHint(const std::string& hint);
std::string GetLongHint(const std::string& hint);
// The hint of a control: its own, or the nearest parent's when it has none.
std::string HintOf(const TControl* control);
