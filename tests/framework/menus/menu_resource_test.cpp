// Menus and actions built by the form reader from a form resource, and a damaged one.
#include <gtest/gtest.h>

#include <memory>

#include "framework/core/class_info.h"
#include "framework/core/form_loading.h"
#include "framework/core/memory_stream.h"
#include "tests/framework/core/form_bytes.h"
#include "tests/framework/menus/menus_test_support.h"

using namespace controlstest;
using namespace menustest;

namespace {

class TMenuForm : public TForm {
    DECLARE_CLASS(TMenuForm)
public:
    explicit TMenuForm(TComponent* owner) : TForm(owner) {}
    TMainMenu* MainMenu1 = nullptr;
    TActionList* ActionList1 = nullptr;
    TAction* Action1 = nullptr;
    std::vector<std::string> calls;
    void O1Click(TObject*) { calls.push_back("O1Click"); }
    void Action1Execute(TObject*) { calls.push_back("Action1Execute"); }
};

// A form class without a resource, for streams made in the test.
class TBareMenuForm : public TForm {
    DECLARE_CLASS(TBareMenuForm)
public:
    explicit TBareMenuForm(TComponent* owner) : TForm(owner) {}
    TMainMenu* MainMenu1 = nullptr;
};

}  // namespace

const TClassInfo& TBareMenuForm::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TBareMenuForm, TForm>("TBareMenuForm").Field("MainMenu1", &TBareMenuForm::MainMenu1).Build();
    return info;
}

const TClassInfo& TMenuForm::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TMenuForm, TForm>("TMenuForm")
            .Field("MainMenu1", &TMenuForm::MainMenu1)
            .Field("ActionList1", &TMenuForm::ActionList1)
            .Field("Action1", &TMenuForm::Action1)
            .Method("O1Click", &TMenuForm::O1Click)
            .Method("Action1Execute", &TMenuForm::Action1Execute)
            .Build();
    return info;
}

namespace {

TEST(MenuResource, TheReaderBuildsTheMenuBarAndItsActions)
{
    auto form = std::make_unique<TMenuForm>(nullptr);
    if (!form->MainMenu1) {  // a form that does not read its own resource yet
        ASSERT_TRUE(ReadComponentRes("TMENUFORM", nullptr, form.get()));
    }
    form->SetVisible(true);
    PumpPending();
    ASSERT_EQ(form->Menu(), form->MainMenu1) << "Menu names a menu that comes later in the resource";
    ASSERT_NE(form->MainMenu1->Images(), nullptr) << "Images names an image list that comes later";
    EXPECT_EQ(form->MainMenu1->Images()->Count(), 4);
    EXPECT_TRUE(EntriesOf(GetMenu(form->WindowHandle()))[0].type & MFT_OWNERDRAW)
        << "with Images every entry is drawn by the framework";
    form->MainMenu1->SetImages(nullptr);  // the system draws the entries again, with their texts
    HMENU bar = GetMenu(form->WindowHandle());
    EXPECT_EQ(TextsOf(bar), (std::vector<std::string>{"ファイル(&F)", "編集(&E)"}));
    HMENU file = GetSubMenu(bar, 0);
    EXPECT_EQ(
        TextsOf(file), (std::vector<std::string>{"開く(&O)\tCtrl+O", "----------------", "上書き保存(&S)\tCtrl+S"}))
        << "ShortCutText and the linked action give the shortcuts";
    for (int i : {0, 2})
        SendMessageA(form->WindowHandle(), WM_COMMAND, GetMenuItemID(file, i), 0);
    EXPECT_EQ(form->calls, (std::vector<std::string>{"O1Click", "Action1Execute"}));

    TMenuItem* picture = form->MainMenu1->Items()->Items(1)->Items(0);
    EXPECT_EQ(picture->Bitmap()->Width(), 2) << "an item's Bitmap comes with it";
    EXPECT_EQ(picture->Bitmap()->Image().At(1, 0), 0xFF209020u);
    EXPECT_TRUE(EntriesOf(picture->Parent()->Handle())[0].type & MFT_OWNERDRAW);
}

TEST(MenuResource, AnItemOfAnUnknownClassGivesTheReadersError)
{
    FormBytes bytes;
    bytes.Signature().Object("TBareMenuForm", "MenuForm").End();
    bytes.Object("TMainMenu", "MainMenu1").End();
    bytes.Object("TMenuItemX", "X1").Prop("Caption").Str("x").End().End();
    bytes.End().End().End();
    TMemoryStream stream;
    bytes.Into(stream);
    TBareMenuForm form(nullptr);
    try {
        stream.ReadComponent(&form);
        FAIL() << "the unknown class was accepted";
    } catch (const EClassNotFound& e) {
        EXPECT_EQ(e.Message(), "クラス TMenuItemX が見つかりません");
    }
}

}  // namespace
