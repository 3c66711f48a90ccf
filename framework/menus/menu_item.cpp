// Menu items: properties, the child list with its GroupIndex rules, native menu filling and
// refilling, change reporting, clicks, the automatic passes and the action link.
#include "framework/menus/menu_item.h"

#include <algorithm>

#include "framework/core/class_info.h"
#include "framework/core/filer.h"
#include "framework/core/reader.h"
#include "framework/menus/command_pool.h"
#include "framework/menus/hotkeys.h"
#include "framework/menus/menu.h"
#include "platform/locale.h"
#include "platform/menus.h"

bool UseOlderMenuCalls = platform::SystemMajorVersion() < 4;

constexpr TEnumName<TMenuBreak> MenuBreakNames[] = {
    {mbNone, "mbNone"}, {mbBreak, "mbBreak"}, {mbBarBreak, "mbBarBreak"}};

const TTypeInfo& TypeInfoFor(TMenuBreak*) { return EnumTypeInfo<MenuBreakNames>("TMenuBreak"); }

constexpr TEnumName<TMenuItemAutoFlag> MenuItemAutoFlagNames[] = {
    {maAutomatic, "maAutomatic"}, {maManual, "maManual"}, {maParent, "maParent"}};

const TTypeInfo& TypeInfoFor(TMenuItemAutoFlag*) { return EnumTypeInfo<MenuItemAutoFlagNames>("TMenuItemAutoFlag"); }

// ---- The action link ----

const TClassInfo& TMenuActionLink::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TMenuActionLink, TActionLink>("TMenuActionLink").Build();
    return info;
}

TMenuActionLink::TMenuActionLink(TMenuItem* client) : TActionLink(client), client_(client) {}

bool TMenuActionLink::IsCaptionLinked()
{
    return TActionLink::IsCaptionLinked() &&
           SameCaption(client_->Caption(), CustomAction()->Caption(), platform::IsFarEast());
}
bool TMenuActionLink::IsCheckedLinked()
{
    return TActionLink::IsCheckedLinked() && client_->Checked() == CustomAction()->Checked();
}
bool TMenuActionLink::IsEnabledLinked()
{
    return TActionLink::IsEnabledLinked() && client_->Enabled() == CustomAction()->Enabled();
}
bool TMenuActionLink::IsHelpContextLinked()
{
    return TActionLink::IsHelpContextLinked() && client_->HelpContext() == CustomAction()->HelpContext();
}
bool TMenuActionLink::IsHintLinked()
{
    return TActionLink::IsHintLinked() && client_->Hint() == CustomAction()->Hint();
}
bool TMenuActionLink::IsGroupIndexLinked()
{
    return client_->RadioItem() && TActionLink::IsGroupIndexLinked() &&
           client_->GroupIndex() == CustomAction()->GroupIndex();
}
bool TMenuActionLink::IsImageIndexLinked()
{
    return TActionLink::IsImageIndexLinked() && client_->ImageIndex() == CustomAction()->ImageIndex();
}
bool TMenuActionLink::IsShortCutLinked()
{
    return TActionLink::IsShortCutLinked() && client_->ShortCut() == CustomAction()->ShortCut();
}
bool TMenuActionLink::IsVisibleLinked()
{
    return TActionLink::IsVisibleLinked() && client_->Visible() == CustomAction()->Visible();
}
bool TMenuActionLink::IsAutoCheckLinked()
{
    return TActionLink::IsAutoCheckLinked() && client_->AutoCheck() == CustomAction()->AutoCheck();
}
bool TMenuActionLink::IsOnExecuteLinked() { return Action() && client_->OnClick == Action()->OnExecute(); }

void TMenuActionLink::SetCaption(const std::string& value)
{
    if (IsCaptionLinked())
        client_->SetCaption(value);
}
void TMenuActionLink::SetChecked(bool value)
{
    if (IsCheckedLinked())
        client_->SetChecked(value);
}
void TMenuActionLink::SetEnabled(bool value)
{
    if (IsEnabledLinked())
        client_->SetEnabled(value);
}
void TMenuActionLink::SetHelpContext(int value)
{
    if (IsHelpContextLinked())
        client_->SetHelpContext(value);
}
void TMenuActionLink::SetHint(const std::string& value)
{
    if (IsHintLinked())
        client_->SetHint(value);
}
void TMenuActionLink::SetGroupIndex(int value)
{
    if (IsGroupIndexLinked())
        client_->SetGroupIndex(static_cast<std::uint8_t>(value));
}
void TMenuActionLink::SetImageIndex(int value)
{
    if (IsImageIndexLinked())
        client_->SetImageIndex(value);
}
void TMenuActionLink::SetShortCut(TShortCut value)
{
    if (IsShortCutLinked())
        client_->SetShortCut(value);
}
void TMenuActionLink::SetVisible(bool value)
{
    if (IsVisibleLinked())
        client_->SetVisible(value);
}
void TMenuActionLink::SetAutoCheck(bool value)
{
    if (IsAutoCheckLinked())
        client_->SetAutoCheck(value);
}
void TMenuActionLink::SetOnExecute(const TNotifyEvent& value)
{
    if (IsOnExecuteLinked())
        client_->OnClick = value;
}

// ---- Class information, construction, destruction ----

const TClassInfo& TMenuItem::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TMenuItem, TComponent>("TMenuItem")
            .Property("Action", &TMenuItem::Action, &TMenuItem::SetAction)
            .Property("Bitmap", &TMenuItem::Bitmap, &TMenuItem::SetBitmap)
            .Property("SubMenuImages", &TMenuItem::SubMenuImages, &TMenuItem::SetSubMenuImages)
            .Property("AutoCheck", &TMenuItem::AutoCheck, &TMenuItem::SetAutoCheck)
            .Property("AutoHotkeys", &TMenuItem::AutoHotkeys, &TMenuItem::SetAutoHotkeys)
            .Property("AutoLineReduction", &TMenuItem::AutoLineReduction, &TMenuItem::SetAutoLineReduction)
            .Property("Break", &TMenuItem::Break, &TMenuItem::SetBreak)
            .Property("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption)
            .Property("Checked", &TMenuItem::Checked, &TMenuItem::SetChecked)
            .Property("Default", &TMenuItem::Default, &TMenuItem::SetDefault)
            .Property("Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled)
            .Property("GroupIndex", &TMenuItem::GroupIndex, &TMenuItem::SetGroupIndex)
            .Property("HelpContext", &TMenuItem::HelpContext, &TMenuItem::SetHelpContext)
            .Property("Hint", &TMenuItem::Hint, &TMenuItem::SetHint)
            .Property("ImageIndex", &TMenuItem::ImageIndex, &TMenuItem::SetImageIndex)
            .Property("RadioItem", &TMenuItem::RadioItem, &TMenuItem::SetRadioItem)
            .Property("ShortCut", &TMenuItem::ShortCut, &TMenuItem::SetShortCut)
            .Property("Visible", &TMenuItem::Visible, &TMenuItem::SetVisible)
            .Property("OnClick", &TMenuItem::OnClick)
            .Property("OnMeasureItem", &TMenuItem::OnMeasureItem)
            .Property("OnDrawItem", &TMenuItem::OnDrawItem)
            .Build();
    return info;
}

TMenuItem::TMenuItem(TComponent* owner)
    : TComponent(owner), command_(commandpool::Take()), bitmap_(std::make_unique<TBitmap>()),
      imagesLink_(std::make_unique<TChangeLink>())
{
    bitmap_->OnChange = TNotifyEvent(this, &TMenuItem::BitmapChanged);
    imagesLink_->OnChange = TNotifyEvent(this, &TMenuItem::SubMenuImagesChanged);
}

TMenuItem::~TMenuItem()
{
    Destroying();
    menudetail::ItemGone(this);
    if (merged_)
        merged_->mergedWith_ = nullptr;
    // The item leaves the item it is shown in and its parent before their native menus are
    // refilled: a refill that fails while an item is destroyed leaves nothing behind to undo.
    auto leave = [](TMenuItem* from, auto step) {
        try {
            if (from)
                step(from);
        } catch (...) {
        }
    };
    leave(mergedWith_, [](TMenuItem* item) { item->SetMerged(nullptr); });
    leave(parent_, [this](TMenuItem* item) { item->Remove(this); });
    // The change link and the free notification leave the SubMenuImages with the item's parts.
    while (!items_.empty())
        delete items_.front();
    if (handle_) {
        DisposeNativeMenu(handle_);
        handle_ = nullptr;
    }
    delete actionLink_;
    actionLink_ = nullptr;
    commandpool::Release(command_);
}

// ---- Properties ----

void TMenuItem::SetCaption(const std::string& value)
{
    if (value == caption_)
        return;
    caption_ = value;
    MenuChanged(true);
}

void TMenuItem::SetChecked(bool value)
{
    if (value == checked_)
        return;
    checked_ = value;
    // A checked radio item unchecks the radio items of its group.
    if (value && radioItem_ && parent_ && !HasState(csReading))
        for (TMenuItem* sibling : parent_->items_)
            if (sibling != this && sibling->radioItem_ && sibling->groupIndex_ == groupIndex_ && sibling->checked_)
                sibling->SetChecked(false);
    MenuChanged(true);
}

void TMenuItem::SetEnabled(bool value)
{
    if (value == enabled_)
        return;
    enabled_ = value;
    MenuChanged(true);
}

void TMenuItem::SetDefault(bool value)
{
    if (value == default_)
        return;
    if (value && parent_)
        for (TMenuItem* sibling : parent_->items_)
            sibling->default_ = false;
    default_ = value;
    MenuChanged(true);
}

void TMenuItem::SetRadioItem(bool value)
{
    if (value == radioItem_)
        return;
    radioItem_ = value;
    MenuChanged(true);
}

void TMenuItem::SetGroupIndex(std::uint8_t value)
{
    if (value == groupIndex_)
        return;
    if (parent_) {
        int position = parent_->IndexOf(this);
        for (int i = 0; i < position; ++i)
            if (parent_->items_[i]->groupIndex_ > value)
                throw EMenuError(SGroupIndexTooLow);
        for (int i = position + 1; i < parent_->Count(); ++i)
            if (parent_->items_[i]->groupIndex_ < value)
                parent_->items_[i]->groupIndex_ = value;
    }
    groupIndex_ = value;
    MenuChanged(true);
}

void TMenuItem::SetBreak(TMenuBreak value)
{
    if (value == break_)
        return;
    break_ = value;
    MenuChanged(true);
}

void TMenuItem::SetShortCut(TShortCut value)
{
    if (value == shortCut_)
        return;
    shortCut_ = value;
    MenuChanged(true);
}

void TMenuItem::SetVisible(bool value)
{
    hiddenByReduction_ = false;  // the caller decides now
    if (value == visible_)
        return;
    visible_ = value;
    MenuChanged(true);
}

void TMenuItem::SetAutoHotkeys(TMenuItemAutoFlag value)
{
    if (value == autoHotkeys_)
        return;
    autoHotkeys_ = value;
    MenuChanged(true);
}

void TMenuItem::SetAutoLineReduction(TMenuItemAutoFlag value)
{
    if (value == autoLineReduction_)
        return;
    autoLineReduction_ = value;
    MenuChanged(true);
}

void TMenuItem::SetAutoCheck(bool value)
{
    if (value == autoCheck_)
        return;
    autoCheck_ = value;
    MenuChanged(true);
}

void TMenuItem::SetImageIndex(int value)
{
    if (value == imageIndex_)
        return;
    imageIndex_ = value;
    MenuChanged(true);
}

void TMenuItem::SetSubMenuImages(TCustomImageList* value)
{
    if (RelinkImageList(this, subMenuImages_, value, imagesLink_.get()) && !HasState(csDestroying))
        RefillTree();
}

TCustomImageList* TMenuItem::ImageList() const
{
    for (const TMenuItem* item = parent_; item; item = item->parent_)
        if (item->subMenuImages_)
            return item->subMenuImages_;
    TMenu* menu = GetParentMenu();
    return menu ? menu->Images() : nullptr;
}

bool TMenuItem::IsOwnerDrawn() const
{
    TMenu* menu = GetParentMenu();
    return (menu && menu->OwnerDraw()) || ImageList() || !bitmap_->Empty();
}

void TMenuItem::BitmapChanged(TObject*) { MenuChanged(true); }

void TMenuItem::SubMenuImagesChanged(TObject*) { RefillTree(); }

void TMenuItem::RefillTree()
{
    if (handle_)
        RefillMenuHandle();
    for (TMenuItem* item : std::vector<TMenuItem*>(items_))
        item->RefillTree();
}

// ---- The tree ----

TMenuItem* TMenuItem::Items(int index) const
{
    if (!hasItemList_)
        throw EMenuError(SMenuIndexError);
    if (index < 0 || index >= Count())
        throw EListError(SListIndexError, {index});
    return items_[index];
}

int TMenuItem::IndexOf(const TMenuItem* item) const
{
    auto found = std::find(items_.begin(), items_.end(), item);
    return found == items_.end() ? -1 : static_cast<int>(found - items_.begin());
}

void TMenuItem::Insert(int index, TMenuItem* item)
{
    if (item->parent_)
        throw EMenuError(SMenuReinserted);
    hasItemList_ = true;
    if (index < 0 || index > Count())
        throw EListError(SListIndexError, {index});
    if (index > 0 && item->groupIndex_ < items_[index - 1]->groupIndex_)
        item->groupIndex_ = items_[index - 1]->groupIndex_;
    items_.insert(items_.begin() + index, item);
    for (std::size_t i = index + 1; i < items_.size(); ++i)
        if (items_[i]->groupIndex_ < item->groupIndex_)
            items_[i]->groupIndex_ = item->groupIndex_;
    item->parent_ = this;
    if (handle_)
        RefillMenuHandle();
    MenuChanged(Count() == 1);
}

void TMenuItem::Delete(int index)
{
    TMenuItem* item = Items(index);
    items_.erase(items_.begin() + index);
    item->parent_ = nullptr;
    if (handle_)
        RefillMenuHandle();
    MenuChanged(Count() == 0);
}

void TMenuItem::Remove(TMenuItem* item)
{
    int index = IndexOf(item);
    if (index < 0)
        throw EMenuError(SMenuIndexError);
    Delete(index);
}

void TMenuItem::Clear()
{
    while (!items_.empty())
        delete items_.back();
}

TMenu* TMenuItem::GetParentMenu() const
{
    const TMenuItem* item = this;
    while (item->parent_)
        item = item->parent_;
    return item->menu_;
}

TComponent* TMenuItem::GetParentComponent() const
{
    if (parent_ && parent_->menu_)
        return parent_->menu_;
    return parent_;
}

void TMenuItem::SetParentComponent(TComponent* parent)
{
    if (parent_)
        parent_->Remove(this);
    if (auto* menu = dynamic_cast<TMenu*>(parent))
        menu->Items()->Add(this);
    else if (auto* item = dynamic_cast<TMenuItem*>(parent))
        item->Add(this);
}

void TMenuItem::GetChildren(const std::function<void(TComponent*)>& proc, TComponent*)
{
    for (TMenuItem* item : std::vector<TMenuItem*>(items_))
        proc(item);
}

void TMenuItem::SetChildOrder(TComponent* child, int order)
{
    auto* item = dynamic_cast<TMenuItem*>(child);
    int from = item ? IndexOf(item) : -1;
    if (from < 0 || from == order)
        return;
    order = std::clamp(order, 0, Count() - 1);
    items_.erase(items_.begin() + from);
    items_.insert(items_.begin() + order, item);
    if (handle_)
        RefillMenuHandle();
    MenuChanged(false);
}

void TMenuItem::Loaded()
{
    TComponent::Loaded();
    if (rebuildAfterLoading_) {
        rebuildAfterLoading_ = false;
        RefillMenuHandle();
    }
}

void TMenuItem::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation == opRemove && component && component == Action())
        SetAction(nullptr);
    if (operation == opRemove && component && component == subMenuImages_)
        SetSubMenuImages(nullptr);
}

void TMenuItem::DefineProperties(TFiler& filer)
{
    TComponent::DefineProperties(filer);
    filer.DefineProperty(
        "ShortCutText", [this](TReader& reader) { SetShortCut(ShortcutFromDisplayText(reader.ReadString())); }, nullptr,
        false);
}

// ---- The native menu ----

HMENU TMenuItem::Handle()
{
    if (!handle_) {
        handle_ = dynamic_cast<TPopupMenu*>(GetParentMenu()) ? platform::CreatePopupMenu() : platform::CreateMenuBar();
        if (!handle_)
            throw EMenuError(SMenuOutOfResources);
        FillMenuHandle();
    }
    return handle_;
}

bool TMenuItem::OnMainMenuBar() const { return parent_ && parent_->menu_ && dynamic_cast<TMainMenu*>(parent_->menu_); }

std::string TMenuItem::EntryText() const
{
    if (items_.empty() && shortCut_ != scNone && !OnMainMenuBar())
        return caption_ + "\t" + ShortcutDisplayText(shortCut_);
    return caption_;
}

std::string TMenuItem::EntryShortcut() const
{
    std::string entry = EntryText();
    return entry.size() > caption_.size() ? entry.substr(caption_.size() + 1) : std::string();
}

void TMenuItem::AppendTo(HMENU menu, bool rightToLeft)
{
    if (!visible_)
        return;
    HMENU subMenu = items_.empty() ? nullptr : Handle();
    UINT breaks = break_ == mbBreak ? MFT_MENUBREAK : break_ == mbBarBreak ? MFT_MENUBARBREAK : 0;
    if (UseOlderMenuCalls) {
        if (subMenu) {
            platform::AppendMenuEntryOld(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(subMenu), caption_);
            return;
        }
        UINT flags = (IsLine() ? MF_SEPARATOR : 0) | breaks | (checked_ ? MF_CHECKED : 0) |
                     (enabled_ ? 0 : MF_GRAYED | MF_DISABLED);
        platform::AppendMenuEntryOld(menu, flags, command_, EntryText());
        return;
    }
    UINT type = (IsLine() ? MFT_SEPARATOR : MFT_STRING) | (radioItem_ ? MFT_RADIOCHECK : 0) | breaks |
                (rightToLeft ? MFT_RIGHTORDER | MFT_RIGHTJUSTIFY : 0) | (IsOwnerDrawn() ? MFT_OWNERDRAW : 0);
    UINT state =
        (checked_ ? MFS_CHECKED : 0) | (enabled_ ? 0 : MFS_DISABLED | MFS_GRAYED) | (default_ ? MFS_DEFAULT : 0);
    platform::AppendMenuEntry(menu, type, state, command_, subMenu, EntryText());
}

void TMenuItem::FillMenuHandle()
{
    TMenu* menu = GetParentMenu();
    if (dynamic_cast<TMainMenu*>(menu)) {
        AutoHotkeyPass();
        AutoLineReductionPass();
    }
    bool rightToLeft = menu && menu->IsRightToLeft();
    for (TMenuItem* item : EntriesWithMerged())
        item->AppendTo(handle_, rightToLeft);
}

bool TMenuItem::IsReading() const
{
    TMenu* menu = GetParentMenu();
    return HasState(csReading) || (menu && menu->HasState(csReading));
}

void TMenuItem::RefillMenuHandle()
{
    if (HasState(csDestroying))
        return;
    if (IsReading()) {
        rebuildAfterLoading_ = true;
        return;
    }
    if (mergedWith_) {
        // Its entries are shown in the other item's native menu.
        mergedWith_->RefillMenuHandle();
        return;
    }
    if (!handle_)
        return;
    // Every entry goes, submenus included (they stay alive as their items' menus), so that filling
    // again gives each visible child exactly one entry.
    int count = platform::MenuEntryCount(handle_);
    bool refill = count <= 0;
    for (int i = count - 1; i >= 0; --i)
        refill = platform::RemoveMenuEntry(handle_, i) || refill;
    if (refill) {
        if (menu_ && dynamic_cast<TMainMenu*>(menu_) && platform::MenuEntryCount(handle_) == 0) {
            // A menu bar is made anew when next asked for; its form attaches the new one.
            DisposeNativeMenu(handle_);
            handle_ = nullptr;
        } else {
            FillMenuHandle();
        }
    }
    MenuChanged(false);
}

// ---- Change reporting ----

void TMenuItem::MenuChanged(bool rebuild)
{
    TMenuItem* source = menu_ ? nullptr : this;
    if (parent_)
        parent_->SubItemChanged(source, rebuild);
    else if (menu_)
        menu_->MenuChanged(source, rebuild);
}

void TMenuItem::SubItemChanged(TMenuItem* source, bool rebuild)
{
    if (rebuild && (handle_ || mergedWith_))
        RefillMenuHandle();
    if (parent_)
        parent_->SubItemChanged(source, false);
    else if (menu_)
        menu_->MenuChanged(source, false);
}

// ---- Clicks and actions ----

void TMenuItem::Click()
{
    if (!enabled_)
        return;
    if (autoCheck_ && !(actionLink_ && actionLink_->IsAutoCheckLinked()))
        SetChecked(!checked_);
    TBasicAction* action = Action();
    // A handler of the item's own, other than its action's, runs instead of the action.
    bool ownHandler = OnClick && !(action && OnClick == action->OnExecute());
    if (!ownHandler && !HasState(csDesigning) && actionLink_ && action)
        actionLink_->Execute(this);
    else if (OnClick)
        OnClick(this);
}

void TMenuItem::InitiateAction()
{
    if (actionLink_)
        actionLink_->Update();
}

void TMenuItem::InitiateActions()
{
    for (TMenuItem* item : std::vector<TMenuItem*>(items_))
        item->InitiateAction();
}

void TMenuItem::SetAction(TBasicAction* action)
{
    if (!action) {
        delete actionLink_;
        actionLink_ = nullptr;
        return;
    }
    if (!actionLink_)
        actionLink_ = new TMenuActionLink(this);
    actionLink_->SetAction(action);
    ActionChange(action, action->HasState(csLoading));
    action->FreeNotification(this);
}

void TMenuItem::ActionChange(TObject* sender, bool checkDefaults)
{
    auto* action = dynamic_cast<TCustomAction*>(sender);
    if (!action)
        return;
    if (!checkDefaults || !autoCheck_)
        SetAutoCheck(action->AutoCheck());
    if (!checkDefaults || caption_.empty())
        SetCaption(action->Caption());
    if (!checkDefaults || !checked_)
        SetChecked(action->Checked());
    if (!checkDefaults || enabled_)
        SetEnabled(action->Enabled());
    if (!checkDefaults || helpContext_ == 0)
        SetHelpContext(action->HelpContext());
    if (!checkDefaults || hint_.empty())
        SetHint(action->Hint());
    if (radioItem_ && (!checkDefaults || groupIndex_ == 0))
        SetGroupIndex(static_cast<std::uint8_t>(action->GroupIndex()));
    if (!checkDefaults || imageIndex_ == -1)
        SetImageIndex(action->ImageIndex());
    if (!checkDefaults || shortCut_ == scNone)
        SetShortCut(action->ShortCut());
    if (!checkDefaults || visible_)
        SetVisible(action->Visible());
    if (!checkDefaults || !OnClick)
        OnClick = action->OnExecute();
}

// ---- The automatic passes ----

bool TMenuItem::AutoHotkeysOn() const
{
    if (autoHotkeys_ == maParent)
        return parent_ ? parent_->AutoHotkeysOn() : true;
    return autoHotkeys_ == maAutomatic;
}

bool TMenuItem::AutoLineReductionOn() const
{
    if (autoLineReduction_ == maParent)
        return parent_ ? parent_->AutoLineReductionOn() : true;
    return autoLineReduction_ == maAutomatic;
}

bool TMenuItem::AutoHotkeyPass(bool force)
{
    if (!force && (HasState(csDesigning) || !AutoHotkeysOn()))
        return false;
    std::vector<TMenuItem*> entries;
    std::vector<std::string> captions;
    for (TMenuItem* item : items_)
        if (item->visible_ && !item->IsLine() && !item->caption_.empty()) {
            entries.push_back(item);
            captions.push_back(item->caption_);
        }
    bool result = AssignAutomaticHotkeys(captions, platform::IsFarEast());
    for (std::size_t i = 0; i < entries.size(); ++i)
        entries[i]->caption_ = captions[i];  // without change notification: the caller refills
    return result;
}

bool TMenuItem::AutoLineReductionPass(bool force)
{
    if (!force && (HasState(csDesigning) || !AutoLineReductionOn()))
        return false;
    bool changed = false;
    auto show = [&](TMenuItem* separator, bool shown) {
        if (shown && !separator->visible_ && separator->hiddenByReduction_) {
            separator->visible_ = true;
            separator->hiddenByReduction_ = false;
            changed = true;
        } else if (!shown && separator->visible_) {
            separator->visible_ = false;
            separator->hiddenByReduction_ = true;
            changed = true;
        }
    };
    // Separators since the last visible entry; one that its owner hid stays out of it.
    std::vector<TMenuItem*> run;
    bool seenEntry = false;
    for (TMenuItem* item : items_) {
        if (item->IsLine()) {
            if (item->visible_ || item->hiddenByReduction_)
                run.push_back(item);
            continue;
        }
        if (!item->visible_)
            continue;
        for (std::size_t k = 0; k < run.size(); ++k)
            show(run[k], seenEntry && k == 0);
        run.clear();
        seenEntry = true;
    }
    for (TMenuItem* separator : run)
        show(separator, false);
    return changed;
}
