// Program entry: the application starts, makes the main window and the hidden about box from their
// form resources, and runs its message loop until the main window closes.
#include "app/about_box.h"
#include "app/main_form.h"
#include "framework/controls/application.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    try {
        Application->StartUp();
        Application->CreateAppForm(Form1);
        Application->CreateAppForm(AboutBox);
        Application->RunLoop();
    } catch (const Exception& e) {
        Application->DisplayException(e);
    } catch (...) {
        Application->ReportException(Application);
    }
    return 0;
}
