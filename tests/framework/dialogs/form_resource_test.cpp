// The dialogs are registered for form resources: a form sets their properties and binds their events.
#include <gtest/gtest.h>

#include "framework/core/class_info.h"
#include "framework/core/form_loading.h"
#include "framework/dialogs/color_dialog.h"
#include "framework/dialogs/find_dialog.h"
#include "framework/dialogs/font_dialog.h"
#include "framework/dialogs/open_dialog.h"
#include "framework/dialogs/print_dialog.h"

namespace {

class TDialogHost : public TComponent {
    DECLARE_CLASS(TDialogHost)
public:
    explicit TDialogHost(TComponent* owner) : TComponent(owner) {}
    TOpenDialog* OpenDialog1 = nullptr;
    TSaveDialog* SaveDialog1 = nullptr;
    TFontDialog* FontDialog1 = nullptr;
    TColorDialog* ColorDialog1 = nullptr;
    TFindDialog* FindDialog1 = nullptr;
    TReplaceDialog* ReplaceDialog1 = nullptr;
    TPrintDialog* PrintDialog1 = nullptr;
    TPrinterSetupDialog* PrinterSetupDialog1 = nullptr;
    void OpenDialog1CanClose(TObject*, bool&) {}
    void FontDialog1Apply(TObject*, HWND) {}
    void FindDialog1Find(TObject*) {}
    void ReplaceDialog1Replace(TObject*) {}
    void DialogShow(TObject*) {}
    void DialogClose(TObject*) {}
};

}  // namespace

const TClassInfo& TDialogHost::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TDialogHost, TComponent>("TDialogHost")
            .Field("OpenDialog1", &TDialogHost::OpenDialog1)
            .Field("SaveDialog1", &TDialogHost::SaveDialog1)
            .Field("FontDialog1", &TDialogHost::FontDialog1)
            .Field("ColorDialog1", &TDialogHost::ColorDialog1)
            .Field("FindDialog1", &TDialogHost::FindDialog1)
            .Field("ReplaceDialog1", &TDialogHost::ReplaceDialog1)
            .Field("PrintDialog1", &TDialogHost::PrintDialog1)
            .Field("PrinterSetupDialog1", &TDialogHost::PrinterSetupDialog1)
            .Method("OpenDialog1CanClose", &TDialogHost::OpenDialog1CanClose)
            .Method("FontDialog1Apply", &TDialogHost::FontDialog1Apply)
            .Method("FindDialog1Find", &TDialogHost::FindDialog1Find)
            .Method("ReplaceDialog1Replace", &TDialogHost::ReplaceDialog1Replace)
            .Method("DialogShow", &TDialogHost::DialogShow)
            .Method("DialogClose", &TDialogHost::DialogClose)
            .Build();
    return info;
}

namespace {

TEST(DialogResources, AFormSetsEveryDialogsPropertiesAndBindsItsEvents)
{
    TDialogHost host(nullptr);
    ASSERT_TRUE(ReadComponentRes("TDialogHost", nullptr, &host));
    ASSERT_TRUE(host.OpenDialog1 && host.SaveDialog1 && host.FontDialog1 && host.ColorDialog1 && host.FindDialog1 &&
                host.ReplaceDialog1 && host.PrintDialog1 && host.PrinterSetupDialog1);

    TOpenDialog& open = *host.OpenDialog1;
    EXPECT_EQ(open.Owner(), &host);
    EXPECT_EQ(open.DefaultExt(), "txt");
    EXPECT_EQ(open.Filter(), "テキスト(*.txt)|*.txt|全てのファイル(*.*)|*.*");
    EXPECT_EQ(open.FilterIndex(), 2);
    EXPECT_EQ(open.InitialDir(), "C:\\") << "the delimiter after a drive's colon stays";
    EXPECT_EQ(open.Options(), TOpenOptions({ofHideReadOnly, ofFileMustExist, ofEnableSizing}));
    EXPECT_EQ(open.Title(), "開く");
    EXPECT_EQ(open.OnCanClose, TFileCanCloseEvent(&host, &TDialogHost::OpenDialog1CanClose));
    EXPECT_EQ(open.DesignInfo(), (16 << 16) | 8);
    EXPECT_EQ(host.SaveDialog1->ClassName(), "TSaveDialog");
    EXPECT_EQ(host.SaveDialog1->OptionsEx(), TOpenOptionsEx(ofExNoPlacesBar));

    TFontDialog& font = *host.FontDialog1;
    EXPECT_EQ(font.Font()->Name(), "ＭＳ ゴシック");
    EXPECT_EQ(font.Font()->Size(), 12);
    EXPECT_EQ(font.Device(), fdBoth);
    EXPECT_EQ(font.MinFontSize(), 8);
    EXPECT_EQ(font.MaxFontSize(), 72);
    EXPECT_EQ(font.Options(), TFontDialogOptions({fdEffects, fdLimitSize}));
    EXPECT_EQ(font.OnApply, TFontApplyEvent(&host, &TDialogHost::FontDialog1Apply));

    TColorDialog& color = *host.ColorDialog1;
    EXPECT_EQ(color.Color(), clRed);
    EXPECT_FALSE(color.Ctl3D());
    EXPECT_EQ(color.HelpContext(), 7);
    EXPECT_EQ(color.CustomColors()->Text(), "ColorA=FFFFFFFF\r\nColorB=00FF00\r\n");
    EXPECT_EQ(color.Options(), TColorDialogOptions(cdFullOpen));

    TFindDialog& find = *host.FindDialog1;
    EXPECT_EQ(find.FindText(), "検索");
    EXPECT_EQ(find.Options(), TFindOptions({frDown, frHideWholeWord}));
    EXPECT_EQ(find.OnFind, TNotifyEvent(&host, &TDialogHost::FindDialog1Find));
    EXPECT_EQ(find.OnShow, TNotifyEvent(&host, &TDialogHost::DialogShow));
    EXPECT_EQ(find.OnClose, TNotifyEvent(&host, &TDialogHost::DialogClose));
    EXPECT_EQ(host.ReplaceDialog1->ReplaceText(), "置換");
    EXPECT_EQ(host.ReplaceDialog1->OnReplace, TNotifyEvent(&host, &TDialogHost::ReplaceDialog1Replace));
    EXPECT_EQ(host.ReplaceDialog1->Options(), TFindOptions(frDown)) << "the default";

    TPrintDialog& print = *host.PrintDialog1;
    EXPECT_EQ(print.MinPage(), 1);
    EXPECT_EQ(print.MaxPage(), 9);
    EXPECT_EQ(print.Options(), TPrintDialogOptions({poPageNums, poWarning}));
    EXPECT_EQ(print.PrintRange(), prPageNums);
    EXPECT_NE(host.PrinterSetupDialog1, nullptr);
}

}  // namespace
