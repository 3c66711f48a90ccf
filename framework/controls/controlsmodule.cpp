// Start-up and shut-down of the control framework: the window atoms and the registered message,
// then the mouse, screen and application objects, made before the program entry runs.
#include "framework/controls/application.h"
#include "framework/controls/screen.h"
#include "framework/controls/windowproc.h"
#include "platform/module.h"

TApplication* Application = nullptr;
TScreen* Screen = nullptr;
TMouse* Mouse = nullptr;

namespace {

struct ControlsModule {
    ControlsModule()
    {
        RegisterControlAtoms();
        animateWindow = platform::FindProcedure("USER32", "AnimateWindow");
        Mouse = new TMouse;
        Screen = new TScreen(nullptr);
        Application = new TApplication(nullptr);
        Application->SetShowHints(true);
    }

    ~ControlsModule()
    {
        // Forms still owned at this point belong to classes whose descriptions may already be gone
        // (they were made after this module); the process ends without destroying them. The loop's
        // shut-down routine destroys them at a safe time.
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

    void* animateWindow = nullptr;
};

ControlsModule module;

}  // namespace
