// Start-up and shut-down of the control framework: the window atoms and the registered message,
// then the mouse, screen and application objects, made before the program entry runs.
#include "framework/controls/application.h"
#include "framework/controls/exception_hooks.h"
#include "framework/controls/screen.h"
#include "framework/controls/window_proc.h"
#include "framework/controls/button.h"
#include "framework/controls/form.h"
#include "framework/controls/image.h"
#include "framework/controls/label.h"
#include "framework/controls/panel.h"
#include "framework/controls/status_bar.h"
#include "framework/menus/action_bar.h"
#include "framework/menus/action_manager.h"
#include "framework/core/class_registry.h"
#include "framework/core/fixups.h"
#include "framework/core/type_info.h"
#include "framework/graphics/image_list.h"
#include "framework/menus/action_list.h"
#include "framework/menus/actions.h"
#include "framework/menus/menu.h"
#include "platform/module.h"

TApplication* Application = nullptr;
TScreen* Screen = nullptr;
TMouse* Mouse = nullptr;

namespace {
void* animateWindow = nullptr;
}

bool CanAnimateWindows() { return animateWindow != nullptr; }

namespace {

// Form resources may refer to components of other forms, found by the form's name.
TComponent* FindFormByName(const std::string& name)
{
    if (!Screen)
        return nullptr;
    for (int i = 0; i < Screen->CustomFormCount(); ++i) {
        TCustomForm* form = Screen->CustomForms(i);
        if (!form->HasState(csInline) && SameText(form->Name(), name))
            return form;
    }
    return nullptr;
}

// A reference of a form that fails only when another form's read resolves it is that form's
// damage: the application reports it, and the other form goes on.
void ReportLateFixupFailure(TComponent* root) { HandleFrameworkException(root); }

struct ControlsModule {
    ControlsModule()
    {
        RegisterControlAtoms();
        animateWindow = platform::FindProcedure("USER32", "AnimateWindow");
        Mouse = new TMouse;
        Screen = new TScreen(nullptr);
        Application = new TApplication(nullptr);
        Application->SetShowHints(true);
        RegisterFindGlobalComponentProc(FindFormByName);
        SetLateFixupErrorHandler(ReportLateFixupFailure);
        // Form resources find their classes in the group of controls, which menus, image lists and
        // actions join; timers and common dialogs join it where their classes are made.
        StartClassGroup(TControl::StaticClass());
        ActivateClassGroup(TControl::StaticClass());
        for (const TClassInfo* grouped :
             {&TMenuItem::StaticClass(), &TMenu::StaticClass(), &TCustomImageList::StaticClass(),
              &TContainedAction::StaticClass(), &TCustomActionList::StaticClass()})
            GroupDescendentsWith(*grouped, TControl::StaticClass());
        RegisterComponentClasses(
            {&TMenuItem::StaticClass(), &TStatusBar::StaticClass(), &TImageList::StaticClass(),
             &TActionManager::StaticClass(), &TActionMainMenuBar::StaticClass(), &TPanel::StaticClass(),
             &TLabel::StaticClass(), &TImage::StaticClass(), &TButton::StaticClass()});
    }

    ~ControlsModule()
    {
        // Forms still owned at this point belong to classes whose descriptions may already be gone
        // (they were made after this module); the process ends without destroying them. The loop's
        // shut-down routine destroys them at a safe time.
        UnregisterFindGlobalComponentProc(FindFormByName);
        SetLateFixupErrorHandler(nullptr);
        if (Application)
            Application->SetShowHints(false);
        if (Application && Application->ComponentCount() == 0) {
            delete Application;
            Application = nullptr;
            delete Screen;
            Screen = nullptr;
            delete Mouse;
            Mouse = nullptr;
        }
        UnregisterControlAtoms();
    }
};

ControlsModule module;

}  // namespace
