// Menus: TMenu owns a tree of items under an invisible root and finds items by command, submenu
// or shortcut; TMainMenu is a form's menu bar; TPopupMenu a context menu shown at a point.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "framework/controls/control_types.h"
#include "framework/controls/messages.h"
#include "framework/core/component.h"
#include "framework/core/type_info.h"
#include "framework/menus/menu_item.h"

// Automatic passes over a whole menu: on or off (the root item's flag).
enum class TMenuAutoFlag { maAutomatic, maManual };
const TTypeInfo& TypeInfoFor(TMenuAutoFlag*);

enum class TMenuLookup { Command, SubMenu, ShortCut };

class TMenu : public TComponent {
    DECLARE_CLASS(TMenu)
public:
    explicit TMenu(TComponent* owner);
    ~TMenu() override;

    // The invisible root item whose children are the menu's entries.
    TMenuItem* Items() const { return items_; }
    HMENU Handle() const { return items_->Handle(); }
    // The window the menu is attached to (a main menu's form), or none.
    HWND WindowHandle() const { return windowHandle_; }
    virtual void SetWindowHandle(HWND window);

    TMenuAutoFlag AutoHotkeys() const;
    void SetAutoHotkeys(TMenuAutoFlag value);
    TMenuAutoFlag AutoLineReduction() const;
    void SetAutoLineReduction(TMenuAutoFlag value);
    bool OwnerDraw() const { return ownerDraw_; }
    void SetOwnerDraw(bool value);
    // The pictures of the items (by ImageIndex); with them every entry is drawn by the framework.
    TCustomImageList* Images() const { return images_; }
    void SetImages(TCustomImageList* value);
    TBiDiMode BiDiMode() const { return biDiMode_; }
    void SetBiDiMode(TBiDiMode value);
    bool ParentBiDiMode() const { return parentBiDiMode_; }
    void SetParentBiDiMode(bool value);
    // True when the system reads right to left and the menu asks for it.
    bool IsRightToLeft() const;

    // Depth first over the root's items; the first match wins.
    TMenuItem* LocateItem(std::uintptr_t value, TMenuLookup kind) const;
    // Clicks the item with that command number; false when there is none.
    bool RouteCommand(std::uint16_t command);
    // A drop-down is about to open: its item updates its actions and is clicked, then the
    // automatic passes run over its children (refilling it when they changed something).
    bool RoutePopup(HMENU subMenu);
    // Clicks the item whose shortcut the key-down message makes, its ancestors first; false when no
    // item has that shortcut.
    bool TryShortcutKey(TMessage& keyMessage);
    // Answers WM_MENUCHAR: execute, select or close by the typed character, or 0.
    void AnswerMenuChar(TMessage& message);

    // An owner-drawn entry's size and look (WM_MEASUREITEM, WM_DRAWITEM of a menu); false when
    // no item of this menu has that entry.
    bool MeasureEntry(MEASUREITEMSTRUCT& request);
    bool DrawEntry(const DRAWITEMSTRUCT& request);

    // Shows `menu`'s items among this menu's, by GroupIndex: each group the other menu has
    // replaces the same group here. Merging none, or another menu, takes the last one out.
    void Merge(TMenu* menu);
    // Takes `menu` out again when it is the merged one.
    void Unmerge(TMenu* menu);

    void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;
    void SetChildOrder(TComponent* child, int order) override;
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;

    TNotifyEvent OnChange;

protected:
    friend class TMenuItem;
    // An item of the tree changed; `source` is none when the root itself did.
    virtual void MenuChanged(TMenuItem* source, bool rebuild);

    HWND windowHandle_ = nullptr;

private:
    void ImagesChanged(TObject* sender);

    TMenuItem* items_;
    bool ownerDraw_ = false;
    TCustomImageList* images_ = nullptr;
    std::unique_ptr<TChangeLink> imagesLink_;
    TBiDiMode biDiMode_ = bdLeftToRight;
    bool parentBiDiMode_ = true;
};

class TMainMenu : public TMenu {
    DECLARE_CLASS(TMainMenu)
public:
    // Becomes its owner form's Menu when that form has none and is not being read.
    explicit TMainMenu(TComponent* owner);

    bool AutoMerge() const { return autoMerge_; }
    void SetAutoMerge(bool value) { autoMerge_ = value; }
    void SetWindowHandle(HWND window) override;
    // The text the bar was last drawn from (entry strings with their state marks).
    const std::string& BarImage() const { return barImage_; }

protected:
    void MenuChanged(TMenuItem* source, bool rebuild) override;

private:
    // Rebuilds the bar image; true when it changed.
    bool UpdateBarImage();

    bool autoMerge_ = false;
    std::string barImage_;
};

enum TPopupAlignment { paLeft, paRight, paCenter };
const TTypeInfo& TypeInfoFor(TPopupAlignment*);

class TPopupMenu : public TMenu {
    DECLARE_CLASS(TPopupMenu)
public:
    explicit TPopupMenu(TComponent* owner);
    ~TPopupMenu() override;

    // Shows the menu at a screen point and waits until it closes; a chosen item is clicked.
    virtual void Popup(int x, int y);
    // The control the menu was last shown for.
    TComponent* PopupComponent() const { return popupComponent_; }
    void SetPopupComponent(TComponent* component);
    POINT PopupPoint() const { return popupPoint_; }
    bool AutoPopup() const { return autoPopup_; }
    void SetAutoPopup(bool value) { autoPopup_ = value; }
    TPopupAlignment Alignment() const { return alignment_; }
    void SetAlignment(TPopupAlignment value) { alignment_ = value; }

    void Notification(TComponent* component, TOperation operation) override;

    TNotifyEvent OnPopup;

private:
    TComponent* popupComponent_ = nullptr;
    POINT popupPoint_{0, 0};
    bool autoPopup_ = true;
    TPopupAlignment alignment_ = paLeft;
};

// The menu mode of the thread (a menu bar or a popup being tracked by `window`). Native menus that
// go away meanwhile are destroyed only once the mode has ended; a window destroyed in the mode
// leaves it.
void MenuLoopEntered(HWND window);
void MenuLoopExited(HWND window);
// Destroys a native menu (its entries are taken out first, so that live submenus survive), or
// holds it until the menu mode ends.
void DisposeNativeMenu(HMENU menu);

// The menus' handling of the menu messages of a window that shows `menu` (a form and its main
// menu; the application window for popup menus): WM_INITMENUPOPUP, WM_MENUCHAR, WM_MENUSELECT,
// the owner-drawn entries' WM_MEASUREITEM and WM_DRAWITEM, and the menu mode. True when the
// message was answered.
bool HandleMenuMessage(TMenu* menu, TMessage& message);

namespace menudetail {
// An item goes away: any dispatch that holds it forgets it.
void ItemGone(TMenuItem* item);
}  // namespace menudetail
