// Menus: the root and its look-ups, commands, drop-downs, shortcut keys and menu characters; the
// main menu's bar image; popup menus and the window that tracks them; the menu mode.
#include "framework/menus/menu.h"

#include <algorithm>
#include <vector>

#include "framework/controls/application.h"
#include "framework/controls/exception_hooks.h"
#include "framework/controls/form.h"
#include "framework/core/class_info.h"
#include "framework/core/double_byte.h"
#include "framework/menus/hotkeys.h"
#include "platform/input.h"
#include "platform/locale.h"
#include "platform/menus.h"
#include "platform/screen.h"
#include "platform/window.h"

constexpr TEnumName<TMenuAutoFlag> MenuAutoFlagNames[] = {
    {TMenuAutoFlag::maAutomatic, "maAutomatic"}, {TMenuAutoFlag::maManual, "maManual"}};

const TTypeInfo& TypeInfoFor(TMenuAutoFlag*) { return EnumTypeInfo<MenuAutoFlagNames>("TMenuAutoFlag"); }

constexpr TEnumName<TPopupAlignment> PopupAlignmentNames[] = {
    {paLeft, "paLeft"}, {paRight, "paRight"}, {paCenter, "paCenter"}};

const TTypeInfo& TypeInfoFor(TPopupAlignment*) { return EnumTypeInfo<PopupAlignmentNames>("TPopupAlignment"); }

// ---- The menu mode, and items held by a dispatch ----

namespace {

std::vector<HWND> menuLoopWindows;
std::vector<HMENU> heldMenus;

void DestroyNow(HMENU menu)
{
    while (platform::MenuEntryCount(menu) > 0)
        if (!platform::RemoveMenuEntry(menu, 0))
            break;
    platform::DestroyMenu(menu);
}

void DestroyHeldMenus()
{
    std::vector<HMENU> menus;
    menus.swap(heldMenus);
    for (HMENU menu : menus)
        DestroyNow(menu);
}

// Items a dispatch is working with; an item that goes away meanwhile is set to none here.
std::vector<TMenuItem**> dispatchedItems;

class DispatchSlot {
public:
    explicit DispatchSlot(TMenuItem* item) : item(item) { dispatchedItems.push_back(&this->item); }
    ~DispatchSlot() { dispatchedItems.erase(std::find(dispatchedItems.begin(), dispatchedItems.end(), &item)); }
    DispatchSlot(const DispatchSlot&) = delete;
    DispatchSlot& operator=(const DispatchSlot&) = delete;
    TMenuItem* item;
};

}  // namespace

void menudetail::ItemGone(TMenuItem* item)
{
    for (TMenuItem** slot : dispatchedItems)
        if (*slot == item)
            *slot = nullptr;
}

void MenuLoopEntered(HWND window)
{
    if (menuLoopWindows.empty())
        DestroyHeldMenus();
    menuLoopWindows.push_back(window);
}

void MenuLoopExited(HWND window)
{
    auto found = std::find(menuLoopWindows.begin(), menuLoopWindows.end(), window);
    if (found != menuLoopWindows.end())
        menuLoopWindows.erase(found);
}

void DisposeNativeMenu(HMENU menu)
{
    if (!menu)
        return;
    if (menuLoopWindows.empty()) {
        DestroyHeldMenus();
        DestroyNow(menu);
        return;
    }
    // The system may still be showing it: close the menus and destroy it once the mode is over.
    heldMenus.push_back(menu);
    platform::EndMenu();
}

// ---- TMenu ----

const TClassInfo& TMenu::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TMenu, TComponent>("TMenu")
            .Property("AutoHotkeys", &TMenu::AutoHotkeys, &TMenu::SetAutoHotkeys)
            .Property("AutoLineReduction", &TMenu::AutoLineReduction, &TMenu::SetAutoLineReduction)
            .Property("BiDiMode", &TMenu::BiDiMode, &TMenu::SetBiDiMode)
            .Property("Images", &TMenu::Images, &TMenu::SetImages)
            .Property("OwnerDraw", &TMenu::OwnerDraw, &TMenu::SetOwnerDraw)
            .Property("ParentBiDiMode", &TMenu::ParentBiDiMode, &TMenu::SetParentBiDiMode)
            .Build();
    return info;
}

TMenu::TMenu(TComponent* owner)
    : TComponent(owner), items_(new TMenuItem(this)), imagesLink_(std::make_unique<TChangeLink>())
{
    imagesLink_->OnChange = TNotifyEvent(this, &TMenu::ImagesChanged);
    items_->menu_ = this;
    items_->autoHotkeys_ = maAutomatic;
    items_->autoLineReduction_ = maAutomatic;
}

TMenu::~TMenu()
{
    Destroying();
    SetImages(nullptr);
    if (windowHandle_ && items_->handle_ && platform::WindowMenu(windowHandle_) == items_->handle_)
        platform::SetWindowMenu(windowHandle_, nullptr);
    delete items_;
    items_ = nullptr;
}

void TMenu::SetWindowHandle(HWND window) { windowHandle_ = window; }

TMenuAutoFlag TMenu::AutoHotkeys() const
{
    return items_->autoHotkeys_ == maManual ? TMenuAutoFlag::maManual : TMenuAutoFlag::maAutomatic;
}

void TMenu::SetAutoHotkeys(TMenuAutoFlag value)
{
    items_->SetAutoHotkeys(value == TMenuAutoFlag::maManual ? maManual : maAutomatic);
}

TMenuAutoFlag TMenu::AutoLineReduction() const
{
    return items_->autoLineReduction_ == maManual ? TMenuAutoFlag::maManual : TMenuAutoFlag::maAutomatic;
}

void TMenu::SetAutoLineReduction(TMenuAutoFlag value)
{
    items_->SetAutoLineReduction(value == TMenuAutoFlag::maManual ? maManual : maAutomatic);
}

void TMenu::SetOwnerDraw(bool value)
{
    if (value == ownerDraw_)
        return;
    ownerDraw_ = value;
    items_->RefillTree();
}

void TMenu::SetImages(TCustomImageList* value)
{
    if (RelinkImageList(this, images_, value, imagesLink_.get()) && !HasState(csDestroying))
        items_->RefillTree();
}

// Other pictures may have other sizes: the system measures the entries again when they are new.
void TMenu::ImagesChanged(TObject*) { items_->RefillTree(); }

void TMenu::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation == opRemove && component && component == images_)
        SetImages(nullptr);
}

void TMenu::SetBiDiMode(TBiDiMode value)
{
    if (value == biDiMode_)
        return;
    biDiMode_ = value;
    parentBiDiMode_ = false;
    items_->RefillMenuHandle();
}

void TMenu::SetParentBiDiMode(bool value)
{
    if (value == parentBiDiMode_)
        return;
    parentBiDiMode_ = value;
    if (value)
        biDiMode_ = bdLeftToRight;
    items_->RefillMenuHandle();
}

bool TMenu::IsRightToLeft() const
{
    return biDiMode_ != bdLeftToRight && platform::SystemMetric(SM_MIDEASTENABLED) != 0;
}

TMenuItem* TMenu::LocateItem(std::uintptr_t value, TMenuLookup kind) const
{
    if (kind != TMenuLookup::Command && value == 0)
        return nullptr;
    auto matches = [&](const TMenuItem* item) {
        switch (kind) {
        case TMenuLookup::Command: return item->command_ == value;
        case TMenuLookup::SubMenu: return reinterpret_cast<std::uintptr_t>(item->handle_) == value;
        case TMenuLookup::ShortCut: return item->shortCut_ == value;
        }
        return false;
    };
    auto find = [&](auto& self, TMenuItem* item) -> TMenuItem* {
        if (matches(item))
            return item;
        for (TMenuItem* child : item->items_)
            if (TMenuItem* found = self(self, child))
                return found;
        return nullptr;
    };
    // The entries shown, a merged menu's included.
    for (TMenuItem* item : items_->EntriesWithMerged())
        if (TMenuItem* found = find(find, item))
            return found;
    return nullptr;
}

bool TMenu::RouteCommand(std::uint16_t command)
{
    TMenuItem* item = LocateItem(command, TMenuLookup::Command);
    if (!item)
        return false;
    item->Click();
    return true;
}

bool TMenu::RoutePopup(HMENU subMenu)
{
    DispatchSlot slot(LocateItem(reinterpret_cast<std::uintptr_t>(subMenu), TMenuLookup::SubMenu));
    if (!slot.item) {
        if (!HasState(csDesigning) && dynamic_cast<TPopupMenu*>(this))
            items_->InitiateActions();
        return false;
    }
    if (!slot.item->HasState(csDesigning))
        slot.item->InitiateActions();
    if (slot.item)
        slot.item->Click();
    if (!slot.item)
        return true;  // its own click took it away
    bool changed = slot.item->AutoHotkeyPass();
    changed = slot.item->AutoLineReductionPass() || changed;
    if (changed)
        slot.item->RefillMenuHandle();
    return true;
}

bool TMenu::TryShortcutKey(TMessage& keyMessage)
{
    TKeyMsg key(keyMessage);
    TShortCut shortCut = key.CharCode() & 0xFF;
    if (platform::KeyIsDown(VK_SHIFT))
        shortCut |= scShift;
    if (platform::KeyIsDown(VK_CONTROL))
        shortCut |= scCtrl;
    if (key.KeyData() & 0x20000000)
        shortCut |= scAlt;
    DispatchSlot slot(LocateItem(shortCut, TMenuLookup::ShortCut));
    if (!slot.item)
        return false;
    try {
        // Ancestors first, outermost first; a click may rebuild a submenu, so the item is looked up
        // again after each one. Every level is clicked once.
        for (std::size_t depth = 0;; ++depth) {
            std::vector<TMenuItem*> chain;
            for (TMenuItem* p = slot.item->parent_; p && p->parent_; p = p->parent_)
                chain.insert(chain.begin(), p);
            if (depth >= chain.size())
                break;
            chain[depth]->Click();
            slot.item = LocateItem(shortCut, TMenuLookup::ShortCut);
            if (!slot.item)
                return true;
        }
        slot.item->Click();
    } catch (...) {
        HandleFrameworkException(this);
    }
    return true;
}

void TMenu::AnswerMenuChar(TMessage& message)
{
    enum { None = 0, Close = 1, Execute = 2, Select = 3 };
    TMenuCharMsg msg(message);
    HMENU menu = msg.Menu();
    const std::string typed = platform::UpperAnsi(std::string(1, msg.User()));
    int count = platform::MenuEntryCount(menu);
    auto itemAt = [&](int position, UINT state) -> TMenuItem* {
        if (state & MF_POPUP)
            return LocateItem(
                reinterpret_cast<std::uintptr_t>(platform::MenuEntrySubMenu(menu, position)), TMenuLookup::SubMenu);
        UINT id = platform::MenuEntryId(menu, position);
        return id == 0xFFFFFFFFu ? nullptr : LocateItem(id, TMenuLookup::Command);
    };
    int highlighted = -1;
    for (int i = 0; i < count; ++i)
        if (platform::MenuEntryState(menu, i) & MF_HILITE)
            highlighted = i;

    int answer = None, first = -1, next = -1;
    bool blocked = false;
    // One pass over the entries: `matches` tells whether an entry's item answers the character.
    // False when a disabled entry ends the search at once.
    auto pass = [&](auto matches, bool disabledCloses) {
        for (int i = 0; i < count; ++i) {
            UINT state = platform::MenuEntryState(menu, i);
            TMenuItem* item = itemAt(i, state);
            if (!item || !matches(item))
                continue;
            if (state & (MF_DISABLED | MF_GRAYED)) {
                if (disabledCloses)
                    return false;
                if (first < 0)
                    blocked = true;
                continue;
            }
            blocked = false;
            if (first < 0) {
                first = i;
                answer = Execute;
            } else {
                answer = Select;
            }
            // The next entry with the same character after the highlighted one is selected, so
            // that typing the character again walks through them.
            if (highlighted >= 0 && i > highlighted && next < 0)
                next = i;
        }
        return true;
    };
    pass([&](TMenuItem* item) { return platform::UpperAnsi(HotkeyOf(item->Caption())) == typed; }, false);
    if (blocked) {
        message.Result = MAKELRESULT(0, Close);
        return;
    }
    if (first < 0) {
        bool open = pass(
            [&](TMenuItem* item) {
                const std::string& caption = item->Caption();
                return HotkeyOf(caption).empty() && !caption.empty() && dbcs::CharLength(caption, 0) == 1 &&
                       platform::UpperAnsi(caption.substr(0, 1)) == typed;
            },
            true);
        if (!open) {
            message.Result = MAKELRESULT(0, Close);
            return;
        }
    }
    if (answer == Execute)
        message.Result = MAKELRESULT(first, Execute);
    else if (answer == Select)
        message.Result = MAKELRESULT(next >= 0 ? next : first, Select);
    else
        message.Result = 0;
}

void TMenu::GetChildren(const std::function<void(TComponent*)>& proc, TComponent*)
{
    for (TMenuItem* item : std::vector<TMenuItem*>(items_->items_))
        proc(item);
}

void TMenu::SetChildOrder(TComponent* child, int order) { items_->SetChildOrder(child, order); }

void TMenu::Loaded()
{
    TComponent::Loaded();
    if (items_->rebuildAfterLoading_) {
        items_->rebuildAfterLoading_ = false;
        items_->RefillMenuHandle();
    }
}

void TMenu::MenuChanged(TMenuItem*, bool)
{
    if (OnChange)
        OnChange(this);
}

// ---- TMainMenu ----

const TClassInfo& TMainMenu::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TMainMenu, TMenu>("TMainMenu")
            .Property("AutoMerge", &TMainMenu::AutoMerge, &TMainMenu::SetAutoMerge)
            .Build();
    return info;
}

TMainMenu::TMainMenu(TComponent* owner) : TMenu(owner)
{
    auto* form = dynamic_cast<TCustomForm*>(owner);
    if (form && !form->Menu() && !form->HasState(csLoading))
        form->SetMenu(this);
}

void TMainMenu::SetWindowHandle(HWND window)
{
    TMenu::SetWindowHandle(window);
    if (window)
        UpdateBarImage();
}

bool TMainMenu::UpdateBarImage()
{
    constexpr std::size_t kImageSize = 512, kReserved = 5;
    std::string image;
    HMENU bar = Handle();
    int count = platform::MenuEntryCount(bar);
    for (int i = 0; i < count && image.size() < kImageSize - kReserved; ++i) {
        std::string text = platform::MenuEntryText(bar, i);
        if (platform::MenuEntryType(bar, i) & MFT_OWNERDRAW) {
            // The system keeps no text for an entry the framework draws: its item's caption counts.
            UINT state = platform::MenuEntryState(bar, i);
            HMENU sub = (state & MF_POPUP) ? platform::MenuEntrySubMenu(bar, i) : nullptr;
            TMenuItem* item =
                sub ? LocateItem(reinterpret_cast<std::uintptr_t>(sub), TMenuLookup::SubMenu)
                    : LocateItem(platform::MenuEntryId(bar, i), TMenuLookup::Command);
            if (item)
                text = item->Caption();
        }
        text.resize(dbcs::CutLength(text, kImageSize - kReserved - 1 - image.size()));
        image += text;
        UINT state = platform::MenuEntryState(bar, i);
        if (state & MF_DISABLED)
            image += '$';
        if (state & MF_MENUBREAK)
            image += '@';
        if (state & MF_GRAYED)
            image += '#';
        image += ';';
    }
    if (image == barImage_)
        return false;
    barImage_ = image;
    return true;
}

void TMainMenu::MenuChanged(TMenuItem* source, bool rebuild)
{
    if (windowHandle_ && !HasState(csDestroying)) {
        bool redraw = UpdateBarImage();
        if (!source)
            platform::SendMessage(windowHandle_, CMSG_MENUCHANGED, 0, 0);
        if (redraw)
            platform::DrawMenuBar(windowHandle_);
    }
    TMenu::MenuChanged(source, rebuild);
}

// ---- TPopupMenu and the window that tracks it ----

namespace {

std::vector<TPopupMenu*> popupMenus;

// The application window owns the popup menus while they are tracked; its hook gives their
// messages to them.
struct PopupMessages : TObject {
    void Hook(TMessage& m, bool& handled)
    {
        for (std::size_t i = 0; i < popupMenus.size() && !handled; ++i)
            handled = HandleMenuMessage(popupMenus[i], m);
    }
};

PopupMessages popupMessages;
TApplication* hookedApplication = nullptr;

HWND PopupOwner()
{
    if (!Application)
        return nullptr;
    if (hookedApplication != Application) {
        Application->HookMainWindow(TWindowHook(&popupMessages, &PopupMessages::Hook));
        hookedApplication = Application;
    }
    return Application->WindowHandle();
}

}  // namespace

const TClassInfo& TPopupMenu::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TPopupMenu, TMenu>("TPopupMenu")
            .Property("Alignment", &TPopupMenu::Alignment, &TPopupMenu::SetAlignment)
            .Property("AutoPopup", &TPopupMenu::AutoPopup, &TPopupMenu::SetAutoPopup)
            .Property("OnPopup", &TPopupMenu::OnPopup)
            .Build();
    return info;
}

TPopupMenu::TPopupMenu(TComponent* owner) : TMenu(owner) { popupMenus.push_back(this); }

TPopupMenu::~TPopupMenu()
{
    popupMenus.erase(std::find(popupMenus.begin(), popupMenus.end(), this));
    SetPopupComponent(nullptr);
}

void TPopupMenu::SetPopupComponent(TComponent* component)
{
    if (component == popupComponent_)
        return;
    if (popupComponent_)
        popupComponent_->RemoveFreeNotification(this);
    popupComponent_ = component;
    if (component)
        component->FreeNotification(this);
}

void TPopupMenu::Notification(TComponent* component, TOperation operation)
{
    TMenu::Notification(component, operation);
    if (operation == opRemove && component == popupComponent_)
        popupComponent_ = nullptr;
}

void TPopupMenu::Popup(int x, int y)
{
    popupPoint_ = {x, y};
    if (OnPopup)
        OnPopup(this);
    bool changed = Items()->AutoHotkeyPass();
    changed = Items()->AutoLineReductionPass() || changed;
    if (changed)
        Items()->RefillMenuHandle();
    static const UINT alignments[] = {TPM_LEFTALIGN, TPM_RIGHTALIGN, TPM_CENTERALIGN};
    HWND owner = PopupOwner();
    MenuLoopEntered(owner);
    struct Exit {
        HWND owner;
        ~Exit() { MenuLoopExited(owner); }
    } exit{owner};
    UINT command =
        platform::TrackPopupMenu(Handle(), alignments[alignment_] | TPM_LEFTBUTTON | TPM_RETURNCMD, x, y, owner);
    if (command != 0)
        RouteCommand(static_cast<std::uint16_t>(command));
}

// ---- Menu messages of a window ----

bool HandleMenuMessage(TMenu* menu, TMessage& m)
{
    if (!menu)
        return false;
    switch (m.Msg) {
    case WM_INITMENUPOPUP:
        if (TInitMenuPopupMsg(m).SystemMenu())
            return false;
        return menu->RoutePopup(TInitMenuPopupMsg(m).MenuPopup());
    case WM_MENUCHAR: menu->AnswerMenuChar(m); return m.Result != 0;
    case WM_MEASUREITEM: {
        auto* request = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
        if (!request || request->CtlType != ODT_MENU || !menu->MeasureEntry(*request))
            return false;
        m.Result = 1;
        return true;
    }
    case WM_DRAWITEM: {
        auto* request = reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam);
        if (!request || request->CtlType != ODT_MENU || !menu->DrawEntry(*request))
            return false;
        m.Result = 1;
        return true;
    }
    case WM_MENUSELECT: {
        TMenuSelectMsg select(m);
        TMenuItem* item = nullptr;
        if (select.MenuFlag() != 0xFFFF || select.IdItem() != 0) {
            if (select.MenuFlag() & MF_POPUP)
                item = menu->LocateItem(
                    reinterpret_cast<std::uintptr_t>(platform::MenuEntrySubMenu(select.Menu(), select.IdItem())),
                    TMenuLookup::SubMenu);
            else
                item = menu->LocateItem(select.IdItem(), TMenuLookup::Command);
        }
        if (!item)
            return false;
        if (Application)
            Application->SetCurrentHint(GetLongHint(item->Hint()));
        return true;
    }
    default: return false;
    }
}
