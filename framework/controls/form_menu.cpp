// TCustomForm: its menu bar. Attaching and detaching the main menu, menu commands and the other
// menu messages, the menu's and the action lists' shortcut keys, and Alt+letter forwarding.
#include "framework/controls/application.h"
#include "framework/controls/form.h"
#include "framework/controls/screen.h"
#include "framework/menus/action_list.h"
#include "framework/menus/menu.h"
#include "platform/input.h"
#include "platform/menus.h"
#include "platform/window.h"

void TCustomForm::SetMenu(TMainMenu* value)
{
    if (value && Screen)
        for (int i = 0; i < Screen->CustomFormCount(); ++i) {
            TCustomForm* form = Screen->CustomForms(i);
            if (form != this && form->menu_ == value)
                throw EInvalidOperation(SMenuInUse, {value->Name()});
        }
    if (value == menu_)
        return;
    if (menu_) {
        menu_->SetWindowHandle(nullptr);
        menu_->RemoveFreeNotification(this);
    }
    if (HasState(csDestroying) || (value && value->HasState(csDestroying)))
        value = nullptr;
    menu_ = value;
    if (value)
        value->FreeNotification(this);
    AttachMenu();
}

void TCustomForm::AttachMenu()
{
    if (!HandleAllocated())
        return;
    if (menu_ && (BorderStyle() != bsDialog || HasState(csDesigning))) {
        HMENU bar = menu_->Handle();
        if (platform::WindowMenu(handle_) != bar)
            platform::SetWindowMenu(handle_, bar);
        menu_->SetWindowHandle(handle_);
    } else if (platform::WindowMenu(handle_)) {
        platform::SetWindowMenu(handle_, nullptr);
    }
}

void TCustomForm::MergeMenuIntoPrimary(bool merge)
{
    TCustomForm* primary = Application ? Application->PrimaryForm() : nullptr;
    if (!menu_ || !menu_->AutoMerge() || !primary || primary == this || !primary->menu_)
        return;
    if (merge)
        primary->menu_->Merge(menu_);
    else
        primary->menu_->Unmerge(menu_);
}

void TCustomForm::Notification(TComponent* component, TOperation operation)
{
    TScrollingWinControl::Notification(component, operation);
    if (operation == opRemove && component && component == menu_) {
        menu_ = nullptr;  // the menu took its bar off the window already
        if (HandleAllocated())
            platform::SetWindowMenu(handle_, nullptr);
    }
}

bool TCustomForm::DispatchMenuMessage(TMessage& m)
{
    switch (m.Msg) {
    case WM_CREATE: AttachMenu(); return false;
    case WM_DESTROY:
        // The system would destroy an attached menu with the window; the menu keeps its own.
        if (menu_) {
            if (platform::WindowMenu(handle_))
                platform::SetWindowMenu(handle_, nullptr);
            menu_->SetWindowHandle(nullptr);
        }
        MenuLoopExited(handle_);
        return false;
    case CMSG_MENUCHANGED: AttachMenu(); return true;
    case WM_COMMAND:
        // A menu command names no control window; it goes to the menu before any reflection.
        return TCommandMsg(m).Control() == nullptr && menu_ && menu_->RouteCommand(TCommandMsg(m).ItemId());
    case WM_INITMENUPOPUP:
    case WM_MENUCHAR:
    case WM_MEASUREITEM:  // of a menu entry the framework draws; a control's goes on to the control
    case WM_DRAWITEM: return HandleMenuMessage(menu_, m);
    case WM_MENUSELECT:
        if (!menu_)
            return false;
        if (!HandleMenuMessage(menu_, m) && Application)
            Application->SetCurrentHint("");
        return true;
    case WM_ENTERMENULOOP: MenuLoopEntered(handle_); return false;
    case WM_EXITMENULOOP: MenuLoopExited(handle_); return false;
    default: return false;
    }
}

bool TCustomForm::MenuShortCut(TMessage& m)
{
    if (menu_ && menu_->WindowHandle() && menu_->TryShortcutKey(m))
        return true;
    for (int i = 0; i < ComponentCount(); ++i)
        if (auto* list = dynamic_cast<TCustomActionList*>(Components(i)))
            if (list->IsShortCut(m))
                return true;
    return false;
}

void TCustomForm::UpdateMenuActions()
{
    if (!menu_)
        return;
    TMenuItem* bar = menu_->Items();
    for (int i = 0; i < bar->Count(); ++i)
        if (bar->Items(i)->Visible())
            bar->Items(i)->InitiateAction();
}

bool TCustomForm::ForwardKeyMenu(TMessage& m)
{
    if (!HasState(csDesigning) && FormStyle() != fsMDIChild && menu_ && !menu_->AutoMerge())
        return false;
    SendCancelMode(nullptr);
    return Application && Application->WindowHandle() &&
           platform::SendMessage(Application->WindowHandle(), CMSG_APPSYSCOMMAND, m.WParam, m.LParam) != 0;
}
