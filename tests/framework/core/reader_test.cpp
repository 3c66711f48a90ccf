// The form reader over compiled form resources and hand-built streams: every property kind, events,
// references, lists, sets, collections, binary data, names, the loaded order and the error messages.
#include <gtest/gtest.h>

#include <memory>

#include "framework/core/class_registry.h"
#include "framework/core/fixups.h"
#include "framework/core/form_loading.h"
#include "framework/core/memory_stream.h"
#include "framework/core/reader.h"
#include "framework/core/resource_stream.h"
#include "tests/framework/core/form_bytes.h"
#include "tests/framework/core/reader_fixtures.h"
#include "tests/support/message_of.h"
#include "tests/support/test_class.h"

namespace {

// Classes of a registration group of their own.
class TGroupBase : public TComponent {
    DECLARE_TEST_CLASS(TGroupBase, TComponent)
public:
    using TComponent::TComponent;
};

class TGroupMember : public TGroupBase {
    DECLARE_TEST_CLASS(TGroupMember, TGroupBase)
public:
    using TGroupBase::TGroupBase;
};

}  // namespace

namespace {

class Reader : public testing::Test {
protected:
    void SetUp() override
    {
        RegisterComponentClass(TGadget::StaticClass());
        RegisterWidgetColorMap();
        ReaderJournal().clear();
    }

    // Reads `bytes` into a new TReadForm and returns the form, or the message of the error.
    std::unique_ptr<TReadForm> ReadForm(const FormBytes& bytes, std::string* error = nullptr)
    {
        TMemoryStream stream;
        bytes.Into(stream);
        auto form = std::make_unique<TReadForm>(nullptr);
        try {
            stream.ReadComponent(form.get());
        } catch (const Exception& e) {
            if (!error)
                throw;
            *error = e.Message();
        }
        return form;
    }

    // A root TReadForm record with one widget whose property entry is `property` + value bytes.
    static FormBytes OneWidgetProperty(const std::string& property, const FormBytes& value)
    {
        FormBytes b;
        b.Signature().Object("TReadForm", "F").End().Object("TWidget", "Widget1").Prop(property);
        b.Raw(value.bytes).End().End().End();
        return b;
    }

    // Reads `bytes` into `form` with a reader whose error hook passes every error over; returns the
    // errors it was asked about in `errors`. What the read raises anyway goes to the caller.
    static void ReadPassingErrorsOver(const FormBytes& bytes, TReadForm& form, std::vector<std::string>& errors)
    {
        struct THandleAll : TObject {
            std::vector<std::string>* errors;
            void OnError(TReader*, const std::string& message, bool& handled)
            {
                errors->push_back(message);
                handled = true;
            }
        } handler;
        handler.errors = &errors;
        TMemoryStream stream;
        bytes.Into(stream);
        TReader reader(stream, 4096);
        reader.OnError = TEvent<TReader*, const std::string&, bool&>(&handler, &THandleAll::OnError);
        reader.ReadRootComponent(&form);
    }

    std::string ErrorOf(const FormBytes& bytes)
    {
        std::string error;
        ReadForm(bytes, &error);
        return error;
    }
};

TEST_F(Reader, ReadsPropertiesOfEveryKindFromACompiledResource)
{
    TReadForm form(nullptr);
    ASSERT_TRUE(ReadComponentRes("TReadForm", nullptr, &form));
    EXPECT_EQ(form.Name(), "ReadForm1");
    EXPECT_EQ(form.Caption, "フォーム") << "UTF-16 arrives as Shift-JIS";
    ASSERT_NE(form.Widget1, nullptr);
    TWidget& w = *form.Widget1;
    EXPECT_EQ(w.Owner(), &form);
    EXPECT_EQ(w.Caption, "開く") << "UTF-8 arrives as Shift-JIS";
    EXPECT_EQ(w.WideCaption, L"表示") << "Shift-JIS arrives as UTF-16 in a wide string";
    EXPECT_EQ(w.Count(), -300);
    EXPECT_EQ(w.Align, waClient);
    EXPECT_FALSE(w.Visible);
    EXPECT_DOUBLE_EQ(w.Ratio, 0.1);
    EXPECT_EQ(w.Letter, 'x');
    EXPECT_EQ(w.Big, 12);
    EXPECT_EQ(static_cast<std::uint32_t>(w.Color), 0x8000000Fu);
    EXPECT_EQ(w.Tag(), 3);
    EXPECT_EQ(w.Font()->Name, "ＭＳ ゴシック");
    EXPECT_TRUE(w.Font()->Style.Empty()) << "an empty set clears the set";
    EXPECT_EQ(w.Font()->Size, 12);
    EXPECT_EQ(static_cast<std::int32_t>(w.Font()->Color), 0xFF);
    ASSERT_EQ(w.Lines()->Count(), 3);
    EXPECT_EQ(w.Lines()->Get(0), "一行目");
    EXPECT_EQ(w.Lines()->Get(1), "");
    EXPECT_EQ(w.Lines()->Get(2), "ソ表");
    ASSERT_EQ(w.Panels()->Count(), 2);
    EXPECT_EQ(static_cast<TWidgetPanel*>(w.Panels()->Items(0))->Text, "a");
    EXPECT_EQ(static_cast<TWidgetPanel*>(w.Panels()->Items(1))->Width, 60) << "order values change nothing";
    EXPECT_EQ(w.Picture()->Bytes, std::string("\x01\x02\x03", 3));
}

TEST_F(Reader, BindsEventsAndResolvesReferencesAfterTheWholeForm)
{
    TReadForm form(nullptr);
    ASSERT_TRUE(ReadComponentRes("TREADFORM", nullptr, &form));
    ASSERT_NE(form.Widget3, nullptr);
    EXPECT_EQ(form.Widget3->ClassName(), "TGadget");
    EXPECT_EQ(form.Widget3->Caption, "ア");
    EXPECT_EQ(form.Widget1->Menu, form.Widget3) << "a reference to a component later in the stream";
    EXPECT_EQ(form.Widget1->Buddy, form.Widget2);
    form.Widget1->OnClick(form.Widget1);
    ASSERT_EQ(form.clicked.size(), 1u);
    EXPECT_EQ(form.clicked[0], form.Widget1);
    EXPECT_EQ(form.Widget1->OnClick, TNotifyEvent(&form, &TReadForm::Widget1Click));
    int size = 0;
    form.Widget1->OnMeasure(form.Widget1, size);
    EXPECT_EQ(size, 42);
    EXPECT_EQ(form.Widget2->DesignInfo(), (20 << 16) | 10) << "Left and Top of a non-visual component";
}

TEST_F(Reader, NestsComponentsAndTellsThemLoadedInsideOut)
{
    TReadForm form(nullptr);
    ASSERT_TRUE(ReadComponentRes("TReadForm", nullptr, &form));
    EXPECT_EQ(form.Widget2->GetParentComponent(), form.Widget1);
    EXPECT_EQ(form.Widget3->GetParentComponent(), form.Widget2);
    EXPECT_EQ(form.Widget3->Owner(), &form) << "every component of a form resource is owned by the form";
    std::vector<std::string> loaded, other;
    for (const auto& line : ReaderJournal())
        (line.rfind("loaded ", 0) == 0 ? loaded : other).push_back(line);
    EXPECT_EQ(
        loaded, (std::vector<std::string>{"loaded ReadForm1", "loaded Widget3", "loaded Widget2", "loaded Widget1"}));
    EXPECT_NE(std::find(other.begin(), other.end(), "order Widget2 1"), other.end());
    EXPECT_NE(std::find(other.begin(), other.end(), "picture data at 0"), other.end())
        << "binary data arrives in a stream of its own size, at position 0";
    for (int i = 0; i < form.ComponentCount(); ++i)
        EXPECT_FALSE(form.Components(i)->HasAnyState({csLoading, csReading}));
    EXPECT_FALSE(form.HasAnyState({csLoading, csReading}));
}

TEST_F(Reader, ReadsAncestorResourcesFirstIntoTheSameForm)
{
    TReadForm2 form(nullptr);
    ASSERT_TRUE(InitInheritedComponent(&form, TComponent::StaticClass()));
    EXPECT_EQ(form.Name(), "ReadForm2");
    EXPECT_EQ(form.Caption, "second");
    ASSERT_NE(form.Widget1, nullptr);
    EXPECT_EQ(form.Widget1->Count(), 5) << "the descendant's resource changes the inherited component";
    EXPECT_EQ(form.Widget1->Align, waClient);
    ASSERT_NE(form.Widget4, nullptr);
    EXPECT_EQ(form.Widget4->Buddy, form.Widget1);
    int widget1Loads = static_cast<int>(std::count(ReaderJournal().begin(), ReaderJournal().end(), "loaded Widget1"));
    EXPECT_EQ(widget1Loads, 1) << "global loading tells each component once, after both resources";
    TReadForm plain(nullptr);
    EXPECT_FALSE(InitInheritedComponent(&plain, TReadForm::StaticClass())) << "no resource below the root ancestor";
    EXPECT_FALSE(ReadComponentRes("TNOSUCHFORM", nullptr, &plain));
}

TEST_F(Reader, SecondAndThirdInstancesGetNumberedNames)
{
    auto first = std::make_unique<TReadForm>(nullptr);
    auto second = std::make_unique<TReadForm>(nullptr);
    auto third = std::make_unique<TReadForm>(nullptr);
    for (auto* form : {first.get(), second.get(), third.get()}) {
        AddTestRoot(form);
        ReadComponentRes("TReadForm", nullptr, form);
    }
    EXPECT_EQ(first->Name(), "ReadForm1");
    EXPECT_EQ(second->Name(), "ReadForm1_1");
    EXPECT_EQ(third->Name(), "ReadForm1_2");
    for (auto* form : {first.get(), second.get(), third.get()})
        RemoveTestRoot(form);
}

TEST_F(Reader, ReferencesToAnotherRootWaitUntilThatRootIsLoaded)
{
    FormBytes a;
    a.Signature().Object("TReadForm", "FormA").End().Object("TWidget", "Widget1").Prop("Buddy").Ident("FormB.Widget2");
    a.End().End().End();
    FormBytes b;
    b.Signature().Object("TReadForm", "FormB").End().Object("TWidget", "Widget2").End().End().End();
    auto formA = ReadForm(a);
    AddTestRoot(formA.get());
    EXPECT_EQ(formA->Widget1->Buddy, nullptr);
    EXPECT_EQ(GlobalFixupCount(), 1);
    auto formB = ReadForm(b);
    AddTestRoot(formB.get());
    // Resolution runs after each root; read a third root to trigger it now that FormB is findable.
    FormBytes c;
    c.Signature().Object("TReadForm", "FormC").End().End();
    auto formC = ReadForm(c);
    EXPECT_EQ(formA->Widget1->Buddy, formB->Widget2);
    EXPECT_EQ(GlobalFixupCount(), 0);
    RemoveTestRoot(formA.get());
    RemoveTestRoot(formB.get());
}

TEST_F(Reader, APendingReferenceGoesWithItsInstance)
{
    FormBytes a;
    a.Signature()
        .Object("TReadForm", "FormA")
        .End()
        .Object("TWidget", "Widget1")
        .Prop("Buddy")
        .Ident("Nowhere.Widget2");
    a.End().End().End();
    {
        auto form = ReadForm(a);
        EXPECT_EQ(GlobalFixupCount(), 1);
    }
    EXPECT_EQ(GlobalFixupCount(), 0);
}

TEST_F(Reader, AReferenceToNoComponentIsCleared)
{
    FormBytes a;
    a.Signature().Object("TReadForm", "FormA").End().Object("TWidget", "Widget1").Prop("Buddy").Ident("Widget9");
    a.End().End().End();
    auto form = ReadForm(a);
    EXPECT_EQ(form->Widget1->Buddy, nullptr);
    EXPECT_EQ(GlobalFixupCount(), 0);
}

TEST_F(Reader, FloatsTakeExtendedOrIntegerValuesButNotSingles)
{
    auto form = ReadForm(OneWidgetProperty("Ratio", FormBytes().Extended(2.5L)));
    EXPECT_EQ(form->Widget1->Ratio, 2.5);
    form = ReadForm(OneWidgetProperty("Ratio", FormBytes().Int(7)));
    EXPECT_EQ(form->Widget1->Ratio, 7.0);
    EXPECT_EQ(ErrorOf(OneWidgetProperty("Ratio", FormBytes().Single(2.5f))),
              "Widget1.Ratio の読み込み中のエラー : 不正なプロパティの値です");
}

TEST_F(Reader, EmptyCollectionKeepsTheExistingItems)
{
    FormBytes b;
    b.Signature().Object("TReadForm", "F").End().Object("TWidget", "Widget1");
    b.Prop("Panels").Byte(vaCollection).Byte(vaList).Prop("Width").Int(1).End().End();  // one item
    b.Prop("Panels").Byte(vaCollection).End();                                          // no items
    b.End().End().End();
    auto form = ReadForm(b);
    ASSERT_EQ(form->Widget1->Panels()->Count(), 1);
    EXPECT_EQ(static_cast<TWidgetPanel*>(form->Widget1->Panels()->Items(0))->Width, 1);
}

TEST_F(Reader, ListOfOneEmptyStringGivesOneEmptyLine)
{
    auto form = ReadForm(OneWidgetProperty("Lines.Strings", FormBytes().Byte(vaList).Str("").End()));
    ASSERT_EQ(form->Widget1->Lines()->Count(), 1);
    EXPECT_EQ(form->Widget1->Lines()->Get(0), "");
}

TEST_F(Reader, ErrorMessagesNameTheComponentAndPropertyPath)
{
    const std::string badValue = "不正なプロパティの値です";
    const struct {
        const char* path;
        FormBytes value;
        std::string error;
    } cases[] = {
        {"Nope", FormBytes().Int(1), "プロパティが存在しません"},
        {"Font.Nope", FormBytes().Int(1), "プロパティが存在しません"},
        {"Count.Size", FormBytes().Int(1), "不正なプロパティのパスです"},
        {"Fixed", FormBytes().Int(1), "プロパティは書き込み禁止です"},
        {"OnClick", FormBytes().Ident("Widget1Clik"), badValue},
        {"OnClick", FormBytes().Ident("Widget1Measure"), badValue},  // a handler of another shape
        {"Color", FormBytes().Ident("clBlue"), badValue},
        {"Font.Charset", FormBytes().Ident("SHIFTJIS_CHARSET"), badValue},  // an integer type without a map
        {"Letter", FormBytes().Str("xy"), badValue},
        {"Align", FormBytes().Ident("waMiddle"), badValue},
        {"Picture.Data", FormBytes().Int(1), badValue},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ErrorOf(OneWidgetProperty(c.path, c.value)),
                  std::string("Widget1.") + c.path + " の読み込み中のエラー : " + c.error);
}

TEST_F(Reader, CollectionItemErrorsAreWrappedOncePerLevel)
{
    FormBytes value;
    value.Byte(vaCollection).Byte(vaList).Prop("Wide").Int(1).End().End();
    EXPECT_EQ(
        ErrorOf(OneWidgetProperty("Panels", value)),
        "Widget1.Panels の読み込み中のエラー : TWidgetPanel.Wide の読み込み中のエラー : プロパティが存在しません");
}

TEST_F(Reader, RecordErrorsNameTheClassOrTheComponent)
{
    auto formWith = [](const char* className, const char* name, std::uint8_t flags = 0) {
        FormBytes b;
        b.Signature().Object("TReadForm", "F").End().Object(className, name, flags).End().End().End();
        return b;
    };
    FormBytes duplicate;
    duplicate.Signature().Object("TReadForm", "F").End();
    duplicate.Object("TWidget", "Widget1").End().End().Object("TWidget", "WIDGET1").End().End().End();
    FormBytes signature;
    signature.Raw("TPF1").Object("TReadForm", "F").End().End();
    const struct {
        FormBytes bytes;
        const char* error;
    } cases[] = {
        {formWith("TMissing", "X"), "クラス TMissing が見つかりません"},
        {formWith("TWidget", "Widget9", 0xF1), "継承元の 'Widget9' が見つかりません"},
        {duplicate, "コンポーネント名 WIDGET1 はすでに使われています"},
        {formWith("TWidget", "9w"), "コンポーネント名に ''9w'' は使えません"},
        {signature, "不正なイメージ リスト"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ErrorOf(c.bytes), c.error);
}

TEST_F(Reader, AFailedRecordFreesWhatItCreatedAndKeepsTheRest)
{
    FormBytes b;
    b.Signature().Object("TReadForm", "F").End();
    b.Object("TWidget", "Widget1").End().End();
    b.Object("TWidget", "Widget2").Prop("Nope").Int(1).End().End();
    b.End();
    std::string error;
    auto form = ReadForm(b, &error);
    EXPECT_EQ(error, "Widget2.Nope の読み込み中のエラー : プロパティが存在しません");
    EXPECT_NE(form->Widget1, nullptr) << "components already read stay owned by the root";
    EXPECT_EQ(form->Widget2, nullptr) << "the failed component is freed and its field cleared";
    EXPECT_EQ(form->ComponentCount(), 1);
}

TEST_F(Reader, ARootOfTheRegisteredClassIsCreatedWhenNoneIsGiven)
{
    RegisterComponentClass(TReadForm::StaticClass());
    FormBytes b;
    b.Signature().Object("TReadForm", "Made").End().Object("TWidget", "Widget1").End().End().End();
    TMemoryStream stream;
    b.Into(stream);
    std::unique_ptr<TComponent> root(stream.ReadComponent(nullptr));
    ASSERT_NE(dynamic_cast<TReadForm*>(root.get()), nullptr);
    EXPECT_EQ(root->Name(), "Made");
    EXPECT_NE(static_cast<TReadForm*>(root.get())->Widget1, nullptr);
}

TEST_F(Reader, LeavesTheStreamJustAfterTheLastByteUsed)
{
    FormBytes b;
    b.Signature().Object("TReadForm", "F").End().End();
    b.Raw("TRAILING");
    TMemoryStream stream;
    b.Into(stream);
    TReadForm form(nullptr);
    stream.ReadComponent(&form);
    EXPECT_EQ(stream.Position(), static_cast<std::int64_t>(b.bytes.size() - 8));
}

TEST_F(Reader, ValueReadersFollowTheTagRules)
{
    FormBytes b;
    b.Byte(vaTrue).Byte(vaNil).Byte(vaNull).Ident("x").Byte(vaInt64).Bits<std::int64_t>(1LL << 40).Int(-5);
    b.Byte(vaWString).Bits<std::int32_t>(1).Bits<std::uint16_t>(0x30A2);  // ア
    b.Byte(vaUTF8String).Bits<std::int32_t>(3).Raw("\xE8\xA1\xA8");       // 表 in UTF-8
    b.Byte(vaCurrency).Bits<std::int64_t>(123456).Byte(vaSet).Short("fsItalic").Short("fsNone").End();
    TMemoryStream stream;
    b.Into(stream);
    TReader reader(stream, 16);  // a small buffer crosses refills
    EXPECT_EQ(reader.ReadIdent(), "True");
    EXPECT_EQ(reader.ReadIdent(), "nil");
    EXPECT_EQ(reader.ReadIdent(), "Null");
    EXPECT_EQ(reader.ReadIdent(), "x");
    EXPECT_EQ(reader.ReadInt64(), 1LL << 40);
    EXPECT_EQ(reader.ReadInt64(), -5);
    EXPECT_EQ(reader.ReadString(), "ア");
    EXPECT_EQ(reader.ReadWideString(), L"表");
    EXPECT_EQ(reader.ReadCurrency(), 12.3456L);
    EXPECT_EQ(reader.ReadSet(TypeInfoOf<TFontStyleBit>()), 0b10u);
    EXPECT_THROW(reader.ReadValue(), EReadError) << "the stream ends";
}

TEST_F(Reader, ReferencesFromCollectionItemsAreResolvedUnlessTheItemWasFreedMeanwhile)
{
    FormBytes once;
    once.Signature().Object("TReadForm", "F").End().Object("TWidget", "Widget1");
    once.Prop("Panels").Byte(vaCollection).Byte(vaList).Prop("Buddy").Ident("Widget2").End().End();
    once.End().End().Object("TWidget", "Widget2").End().End().End();
    auto form = ReadForm(once);
    ASSERT_EQ(form->Widget1->Panels()->Count(), 1);
    EXPECT_EQ(static_cast<TWidgetPanel*>(form->Widget1->Panels()->Items(0))->Buddy(), form->Widget2);

    // Reading the collection again frees the item whose reference is still waiting.
    FormBytes twice;
    twice.Signature().Object("TReadForm", "F").End().Object("TWidget", "Widget1");
    twice.Prop("Panels").Byte(vaCollection).Byte(vaList).Prop("Buddy").Ident("Widget2").End().End();
    twice.Prop("Panels").Byte(vaCollection).Byte(vaList).Prop("Width").Int(3).End().End();
    twice.End().End().Object("TWidget", "Widget2").End().End().End();
    ReaderJournal().clear();
    form = ReadForm(twice);
    ASSERT_EQ(form->Widget1->Panels()->Count(), 1);
    auto* panel = static_cast<TWidgetPanel*>(form->Widget1->Panels()->Items(0));
    EXPECT_EQ(panel->Width, 3);
    EXPECT_EQ(panel->Buddy(), nullptr);
    for (const std::string& entry : ReaderJournal())
        EXPECT_NE(entry.rfind("panel buddy", 0), 0u) << "a freed item was written to: " << entry;
}

TEST_F(Reader, APathEndingInADotIsAnUnknownPropertyAndItsValueIsSkipped)
{
    FormBytes b;
    b.Signature().Object("TReadForm", "F").End().Object("TWidget", "Widget1");
    b.Prop("Font.").Int(5).Prop("Count").Int(2).End().End().End();
    std::string error;
    ReadForm(b, &error);
    EXPECT_EQ(error, "Widget1.Font. の読み込み中のエラー : プロパティが存在しません");

    // With every error passed over, the entry is skipped whole and the next one is read.
    TReadForm form(nullptr);
    std::vector<std::string> errors;
    ReadPassingErrorsOver(b, form, errors);
    ASSERT_NE(form.Widget1, nullptr);
    EXPECT_EQ(form.Widget1->Count(), 2);
    EXPECT_EQ(errors, std::vector<std::string>{error});
}

TEST_F(Reader, AnErrorInsideADefinedPropertyEndsTheReadEvenWhenErrorsArePassedOver)
{
    // The bad value sits in the middle of the list: what follows it cannot be read as entries.
    FormBytes b;
    b.Signature().Object("TReadForm", "F").End().Object("TWidget", "Widget1");
    b.Prop("Lines.Strings").Byte(vaList).Str("a").Int(7).Str("b").End();
    b.Prop("Count").Int(2).End().End().End();
    TReadForm form(nullptr);
    std::vector<std::string> errors;
    EXPECT_EQ(MessageOf<EReadError>([&] { ReadPassingErrorsOver(b, form, errors); }),
              "Widget1.Lines.Strings の読み込み中のエラー : 不正なプロパティの値です");
    EXPECT_TRUE(errors.empty()) << "the error hook must not be asked";
}

TEST_F(Reader, ReferencePathsFollowOwnersByName)
{
    TReadForm form(nullptr);
    auto* outer = new TWidget(&form);
    outer->SetName("Outer");
    auto* inner = new TWidget(outer);
    inner->SetName("Inner");
    EXPECT_EQ(FindNestedComponent(&form, "outer.INNER"), inner);
    EXPECT_EQ(FindNestedComponent(&form, "Outer-Inner"), inner);
    EXPECT_EQ(FindNestedComponent(&form, "Outer->Inner"), inner);
    EXPECT_EQ(FindNestedComponent(&form, "Owner.Outer"), outer) << "Owner naming no component stays put";
    EXPECT_EQ(FindNestedComponent(&form, "owner.Outer"), outer) << "in any letter case";
    EXPECT_EQ(FindNestedComponent(&form, "Outer.Missing"), nullptr);
    EXPECT_EQ(FindNestedComponent(&form, ""), nullptr);
}

TEST(ClassRegistry, FindsRegisteredClassesAndTheirAncestorsByName)
{
    RegisterComponentClass(TGadget::StaticClass());
    EXPECT_EQ(GetClass("tgadget"), &TGadget::StaticClass());
    EXPECT_EQ(GetClass("TWidget"), &TWidget::StaticClass()) << "registering a class registers its ancestors";
    EXPECT_EQ(GetClass("TPersistent"), &TPersistent::StaticClass());
    EXPECT_EQ(GetClass("TObject"), nullptr);
    EXPECT_EQ(MessageOf<EClassNotFound>([&] { FindClass("TNothing"); }), "クラス TNothing が見つかりません");
    RegisterClassAlias(TGadget::StaticClass(), "TOldGadget");
    EXPECT_EQ(GetClass("TOldGadget"), &TGadget::StaticClass());
    RegisterComponentClass(TGadget::StaticClass());  // twice is harmless
}

TEST(ClassRegistry, ADifferentClassOfARegisteredNameIsRefused)
{
    static const TClassInfo impostor = TClassBuilder<TComponent, TPersistent>("TWidget").Build();
    RegisterComponentClass(TWidget::StaticClass());
    EXPECT_EQ(
        MessageOf<EFilerError>([&] { RegisterComponentClass(impostor); }), "クラス名 TWidget はすでに使われています");
}

TEST(ClassRegistry, GroupsDecideWhatIsActive)
{
    RegisterComponentClass(TGroupMember::StaticClass());
    StartClassGroup(TGroupBase::StaticClass());
    GroupDescendentsWith(TGroupMember::StaticClass(), TGroupBase::StaticClass());
    const TClassInfo* previous = ActivateClassGroup(TReadForm::StaticClass());
    EXPECT_EQ(GetClass("TGroupMember"), nullptr) << "the TGroupBase group is not active for a TReadForm";
    TClassFinder finder(&TGroupBase::StaticClass(), false);
    EXPECT_EQ(finder.GetClass("TGroupMember"), &TGroupMember::StaticClass()) << "a finder searches its root's groups";
    ActivateClassGroup(TGroupBase::StaticClass());
    EXPECT_EQ(GetClass("TGroupMember"), &TGroupMember::StaticClass());
    EXPECT_EQ(GetClass("TWidget"), &TWidget::StaticClass()) << "the TPersistent group stays active";
    ActivateClassGroup(*previous);
    EXPECT_EQ(
        MessageOf<EFilerError>([&] { GroupDescendentsWith(TGroupMember::StaticClass(), TObject::StaticClass()); }),
        "TObject クラス登録グループに存在しません");
}

}  // namespace
