// TAboutBox: its published components.
#include "app/about_box.h"

#include "framework/controls/button.h"
#include "framework/controls/image.h"
#include "framework/controls/label.h"
#include "framework/controls/panel.h"
#include "framework/core/class_info.h"

TAboutBox* AboutBox = nullptr;

const TClassInfo& TAboutBox::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TAboutBox, TForm>("TAboutBox")
            .Field("Panel1", &TAboutBox::Panel1)
            .Field("ProgramIcon", &TAboutBox::ProgramIcon)
            .Field("ProductName", &TAboutBox::ProductName)
            .Field("Version", &TAboutBox::Version)
            .Field("Comments", &TAboutBox::Comments)
            .Field("OKButton", &TAboutBox::OKButton)
            .Build();
    return info;
}
