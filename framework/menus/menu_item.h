// TMenuItem: one entry of a menu, with its children (a drop-down), and the native menu it fills for
// them on demand; TMenuActionLink, through which an item follows its action.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/component.h"
#include "framework/core/event.h"
#include "framework/core/exceptions.h"
#include "framework/core/type_info.h"
#include "framework/graphics/bitmap.h"
#include "framework/graphics/image_list.h"
#include "framework/menus/actions.h"
#include "framework/menus/shortcuts.h"
#include "platform/win32.h"

DECLARE_EXCEPTION(EMenuError, Exception);

class TMenu;
class TMenuItem;

// An owner-drawn item tells its size: Sender, the canvas with the menu font, width and height
// (the sizes the item would take, to be changed by the handler).
using TMenuMeasureItemEvent = TEvent<TObject*, TCanvas*, int&, int&>;
// An owner-drawn item draws itself instead of the framework: Sender, the canvas on the menu's
// device context, the entry's rectangle, whether it is selected.
using TMenuDrawItemEvent = TEvent<TObject*, TCanvas*, const RECT&, bool>;

// How the system asks an owner-drawn entry to look (the ODS_ bits of its draw request).
struct TMenuDrawState {
    bool Selected = false;
    bool Grayed = false;
    bool Checked = false;
    bool NoAccelerator = false;  // hotkey markers are not underlined
};

enum TMenuBreak { mbNone, mbBreak, mbBarBreak };
const TTypeInfo& TypeInfoFor(TMenuBreak*);

// Whether an item runs an automatic pass over its children: on, off, or as its parent does.
enum TMenuItemAutoFlag { maAutomatic, maManual, maParent };
const TTypeInfo& TypeInfoFor(TMenuItemAutoFlag*);

// The caption that makes an item a separator line.
inline constexpr const char* cLineCaption = "-";

class TMenuActionLink : public TActionLink {
    DECLARE_CLASS(TMenuActionLink)
public:
    explicit TMenuActionLink(TMenuItem* client);

    bool IsCaptionLinked() override;
    bool IsCheckedLinked() override;
    bool IsEnabledLinked() override;
    bool IsHelpContextLinked() override;
    bool IsHintLinked() override;
    bool IsGroupIndexLinked() override;
    bool IsImageIndexLinked() override;
    bool IsShortCutLinked() override;
    bool IsVisibleLinked() override;
    bool IsAutoCheckLinked() override;
    bool IsOnExecuteLinked() override;

    void SetCaption(const std::string& value) override;
    void SetChecked(bool value) override;
    void SetEnabled(bool value) override;
    void SetHelpContext(int value) override;
    void SetHint(const std::string& value) override;
    void SetGroupIndex(int value) override;
    void SetImageIndex(int value) override;
    void SetShortCut(TShortCut value) override;
    void SetVisible(bool value) override;
    void SetAutoCheck(bool value) override;
    void SetOnExecute(const TNotifyEvent& value) override;

private:
    TMenuItem* client_;
};

class TMenuItem : public TComponent {
    DECLARE_CLASS(TMenuItem)
public:
    explicit TMenuItem(TComponent* owner);
    // Leaves its parent, frees its children first to last, destroys its native menu and gives its
    // command number back.
    ~TMenuItem() override;

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& value);
    bool Checked() const { return checked_; }
    void SetChecked(bool value);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    bool Default() const { return default_; }
    void SetDefault(bool value);
    bool RadioItem() const { return radioItem_; }
    void SetRadioItem(bool value);
    std::uint8_t GroupIndex() const { return groupIndex_; }
    // EMenuError when the value is below an earlier sibling's; later siblings below it are raised.
    void SetGroupIndex(std::uint8_t value);
    TMenuBreak Break() const { return break_; }
    void SetBreak(TMenuBreak value);
    TShortCut ShortCut() const { return shortCut_; }
    void SetShortCut(TShortCut value);
    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    TMenuItemAutoFlag AutoHotkeys() const { return autoHotkeys_; }
    void SetAutoHotkeys(TMenuItemAutoFlag value);
    TMenuItemAutoFlag AutoLineReduction() const { return autoLineReduction_; }
    void SetAutoLineReduction(TMenuItemAutoFlag value);
    bool AutoCheck() const { return autoCheck_; }
    void SetAutoCheck(bool value);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value);
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& value) { hint_ = value; }
    int HelpContext() const { return helpContext_; }
    void SetHelpContext(int value) { helpContext_ = value; }
    // A picture of the item's own, shown when its image list has no picture for ImageIndex.
    TBitmap* Bitmap() const { return bitmap_.get(); }
    void SetBitmap(const TBitmap* value) { bitmap_->Assign(value); }
    // Pictures for the children: they take theirs from here rather than from the menu's Images.
    TCustomImageList* SubMenuImages() const { return subMenuImages_; }
    void SetSubMenuImages(TCustomImageList* value);
    // Where the item's ImageIndex points: the SubMenuImages of the nearest ancestor that has
    // them, else the menu's Images (none when neither has pictures).
    TCustomImageList* ImageList() const;
    // The system lets the framework draw the entry: the menu is OwnerDraw or has Images, or the
    // item has a Bitmap.
    bool IsOwnerDrawn() const;
    TBasicAction* Action() const { return actionLink_ ? actionLink_->Action() : nullptr; }
    void SetAction(TBasicAction* action);
    TMenuActionLink* ActionLink() const { return actionLink_; }

    // The tree
    TMenuItem* Parent() const { return parent_; }
    int Count() const { return static_cast<int>(items_.size()); }
    // EMenuError "メニューインデックスが範囲を越えました" for an item without children; the list's
    // index error for a bad index.
    TMenuItem* Items(int index) const;
    int IndexOf(const TMenuItem* item) const;
    // EMenuError "メニューを二度追加しました" for an item that already has a parent.
    void Insert(int index, TMenuItem* item);
    void Add(TMenuItem* item) { Insert(Count(), item); }
    // Takes the child out without freeing it.
    void Delete(int index);
    void Remove(TMenuItem* item);
    // Frees every child.
    void Clear();
    // The menu the item belongs to (through its root), or none.
    TMenu* GetParentMenu() const;
    bool IsLine() const { return caption_ == cLineCaption; }

    std::uint16_t Command() const { return command_; }
    // The native menu of this item's children, made and filled when first asked for.
    HMENU Handle();
    bool HandleAllocated() const { return handle_ != nullptr; }
    // Appends every visible child to the native menu (after the automatic passes for a main menu).
    void FillMenuHandle();
    // Takes every entry out of the native menu and fills it again, then reports the change.
    void RefillMenuHandle();

    // An owner-drawn entry: its size, and drawing it (OnMeasureItem and OnDrawItem may take over).
    // The default look: the picture (image, else Bitmap, else a check mark when checked), the
    // caption with its hotkey underlined, the shortcut text at the right.
    virtual void MeasureItem(TCanvas& canvas, int& width, int& height);
    virtual void DrawItem(TCanvas& canvas, const RECT& rect, const TMenuDrawState& state);

    // The item whose children are shown among this item's children, by GroupIndex (a merged
    // menu's root), and the item this one is shown in.
    TMenuItem* Merged() const { return merged_; }
    TMenuItem* MergedWith() const { return mergedWith_; }

    // The item's command: nothing when disabled; AutoCheck; OnClick or the action.
    virtual void Click();
    // Lets the linked action update this item; InitiateActions does it for every child.
    void InitiateAction();
    void InitiateActions();
    // The automatic passes over the children, when forced or when switched on; each answers
    // whether it changed something.
    bool AutoHotkeyPass(bool force = false);
    bool AutoLineReductionPass(bool force = false);
    bool AutoHotkeysOn() const;
    bool AutoLineReductionOn() const;

    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* parent) override;
    void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;
    void SetChildOrder(TComponent* child, int order) override;
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;
    // Reads the defined property "ShortCutText" (a display text such as "Ctrl+S").
    void DefineProperties(TFiler& filer) override;

    TNotifyEvent OnClick;
    TMenuMeasureItemEvent OnMeasureItem;
    TMenuDrawItemEvent OnDrawItem;

protected:
    virtual void ActionChange(TObject* sender, bool checkDefaults);
    // Reports a change of this item up the tree (a rebuild of the parent's native menu when asked).
    void MenuChanged(bool rebuild);

private:
    friend class TMenu;
    friend class TMenuActionLink;
    void SubItemChanged(TMenuItem* source, bool rebuild);
    // Shows `item`'s children among this item's (none: stops).
    void SetMerged(TMenuItem* item);
    // The children to show, with the merged item's: by GroupIndex, a group of the merged item
    // replacing the same group of this item's.
    std::vector<TMenuItem*> EntriesWithMerged() const;
    // Refills this item's native menu and every one below it (their entries' look changed).
    void RefillTree();
    void BitmapChanged(TObject* sender);
    void SubMenuImagesChanged(TObject* sender);
    void AppendTo(HMENU menu, bool rightToLeft);
    void DefaultDrawItem(TCanvas& canvas, const RECT& rect, const TMenuDrawState& state);
    std::string EntryText() const;
    // The shortcut text the entry shows after its caption (empty when none).
    std::string EntryShortcut() const;
    bool OnMainMenuBar() const;
    bool IsReading() const;

    std::string caption_;
    bool checked_ = false;
    bool enabled_ = true;
    bool default_ = false;
    bool radioItem_ = false;
    bool autoCheck_ = false;
    bool visible_ = true;
    bool hiddenByReduction_ = false;
    std::uint8_t groupIndex_ = 0;
    TMenuBreak break_ = mbNone;
    TShortCut shortCut_ = scNone;
    TMenuItemAutoFlag autoHotkeys_ = maParent;
    TMenuItemAutoFlag autoLineReduction_ = maParent;
    int imageIndex_ = -1;
    std::string hint_;
    int helpContext_ = 0;
    std::uint16_t command_;
    HMENU handle_ = nullptr;
    TMenuItem* parent_ = nullptr;
    TMenu* menu_ = nullptr;  // set on a menu's root only
    std::vector<TMenuItem*> items_;
    bool hasItemList_ = false;
    bool rebuildAfterLoading_ = false;
    TMenuActionLink* actionLink_ = nullptr;
    std::unique_ptr<TBitmap> bitmap_;
    TCustomImageList* subMenuImages_ = nullptr;
    std::unique_ptr<TChangeLink> imagesLink_;
    TMenuItem* merged_ = nullptr;
    TMenuItem* mergedWith_ = nullptr;
};

// Whether entries are appended with the call of systems before version 4 (decided once from the
// system's version; tests switch it to see that path work too).
extern bool UseOlderMenuCalls;
