// TActionMainMenuBar: the strip across the top of a window that shows the items its action manager
// lists for it, left to right, each as a flat button with its action's picture and caption. A
// button lights up under the mouse, looks pressed while the left button is held on it, and
// executes its action when the button is released over it; a disabled action's button is grey
// and does nothing. Alt and the letter marked in a caption execute that button's action, unless
// the window's menu bar has an entry with the same letter. Each button's hint is its caption.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "framework/controls/win_control.h"
#include "framework/graphics/canvas.h"

class TActionBarItem;
class TActionClientItem;
class TActionManager;

class TCustomActionBar : public TWinControl {
    DECLARE_CLASS(TCustomActionBar)
public:
    explicit TCustomActionBar(TComponent* owner);
    ~TCustomActionBar() override;

    TActionManager* ActionManager() const { return actionManager_; }
    void SetActionManager(TActionManager* value);
    // The manager's entry that lists this bar's items (none when it lists none).
    TActionBarItem* ActionClient() const;
    // Pixels between two buttons.
    int Spacing() const { return spacing_; }
    void SetSpacing(int value);

    // The buttons shown: one per visible item that has an action, in the items' order.
    int ButtonCount();
    RECT ButtonRect(int index);
    TActionClientItem* ButtonItem(int index);
    // The index of the button at a point of the client area, or -1.
    int ButtonAt(POINT point);
    // The button the mouse is over and the one held down (none: -1).
    int HotButton();
    int PressedButton();

    // The items changed: the buttons are laid out and drawn again.
    void ItemsChanged();
    // One item changed its state only (enabled): its button is drawn again.
    void ItemChanged(TActionClientItem* item);

    // Lets the actions of the items update (the form's idle step calls it).
    void InitiateAction() override;
    void Notification(TComponent* component, TOperation operation) override;
    void Dispatch(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void PaintWindow(HDC dc) override;

private:
    struct TButton {
        TActionClientItem* Item;
        RECT Bounds;
    };

    void UpdateLayout();
    // The spans of the bar's width (client coordinates) that visible siblings lying over it cover.
    std::vector<std::pair<int, int>> CoveredSpans() const;
    int IndexOf(const TActionClientItem* item);
    void InvalidateItem(const TActionClientItem* item);
    void SetHot(TActionClientItem* item);
    void DrawBar(HDC dc);
    void DrawButton(HDC dc, const TButton& button, bool hideAccelerators);
    bool ButtonEnabled(const TActionClientItem* item) const;
    // Executes the item's action with this bar as the action's component.
    void ExecuteItem(TActionClientItem* item);
    // True when the window's menu bar has an entry whose marked letter is `key`.
    bool MenuBarTakes(char key) const;
    int Scaled(int pixels) const;

    void WMMouseMove(TMessage& m);
    void WMMouseLeave(TMessage& m);
    void WMLButtonDown(TMessage& m);
    void WMLButtonUp(TMessage& m);
    void WMCaptureChanged(TMessage& m);
    void CMDialogChar(TMessage& m);
    void CMHintShow(TMessage& m);
    void TBGetItemRect(TMessage& m);

    TActionManager* actionManager_ = nullptr;
    int spacing_ = 0;
    TCanvas* canvas_;
    std::vector<TButton> buttons_;
    bool layoutValid_ = false;
    TActionClientItem* hot_ = nullptr;
    TActionClientItem* pressed_ = nullptr;
    bool trackingLeave_ = false;
};

class TActionMainMenuBar : public TCustomActionBar {
    DECLARE_CLASS(TActionMainMenuBar)
public:
    explicit TActionMainMenuBar(TComponent* owner);
};
