// Class information: published properties by kind, fields, methods bound as events, class chains.
#include <gtest/gtest.h>

#include "tests/framework/core/test_components.h"

namespace {

const TPropInfo& Prop(const char* name)
{
    const TPropInfo* p = TProbe::StaticClass().FindProperty(name);
    if (!p)
        throw std::runtime_error(std::string("no property ") + name);
    return *p;
}

TEST(ClassInfo, ClassChainNamesAndInheritance)
{
    TProbe probe(nullptr);
    EXPECT_EQ(probe.ClassName(), "TProbe");
    EXPECT_EQ(TProbe::StaticClass().Parent(), &TComponent::StaticClass());
    EXPECT_TRUE(probe.InheritsFrom(TPersistent::StaticClass()));
    EXPECT_TRUE(probe.InheritsFrom(TObject::StaticClass()));
    EXPECT_FALSE(TComponent::StaticClass().InheritsFrom(TProbe::StaticClass()));
}

TEST(ClassInfo, VirtualConstructorMakesAnOwnedInstanceOfTheRightClass)
{
    TTestForm form(nullptr);
    TComponent* made = TProbe::StaticClass().CreateInstance(&form);
    EXPECT_EQ(made->ClassName(), "TProbe");
    EXPECT_EQ(made->Owner(), &form);
    EXPECT_NE(dynamic_cast<TProbe*>(made), nullptr);
    EXPECT_EQ(TPersistent::StaticClass().Constructor(), nullptr);
    EXPECT_THROW(TPersistent::StaticClass().CreateInstance(&form), EAbstractError);
}

TEST(ClassInfo, PropertyLookupIgnoresCaseAndWalksAncestors)
{
    EXPECT_EQ(&Prop("number"), &Prop("NUMBER"));
    const TPropInfo* name = TProbe::StaticClass().FindProperty("name");
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->Kind(), TTypeKind::LString);
    EXPECT_EQ(TProbe::StaticClass().FindProperty("Numbe"), nullptr);
    EXPECT_EQ(TProbe::StaticClass().FindProperty("Number1"), nullptr);
}

TEST(ClassInfo, PropertiesOfEveryKindReadAndWriteThroughTheirAccessors)
{
    TProbe p(nullptr);
    Prop("Number").SetOrd(p, -42);
    EXPECT_EQ(p.Number(), -42);
    EXPECT_EQ(Prop("Number").Kind(), TTypeKind::Integer);

    EXPECT_EQ(Prop("Align").Kind(), TTypeKind::Enumeration);
    EXPECT_EQ(Prop("Align").Type().EnumValue("TACLIENT"), 3);
    Prop("Align").SetOrd(p, 2);
    EXPECT_EQ(p.Align(), taBottom);

    EXPECT_EQ(Prop("Flag").Type().Name, "Boolean");
    Prop("Flag").SetOrd(p, 1);
    EXPECT_TRUE(p.Flag());

    EXPECT_EQ(Prop("Letter").Kind(), TTypeKind::Char);
    Prop("Letter").SetOrd(p, 0x8A);
    EXPECT_EQ(static_cast<unsigned char>(p.Letter()), 0x8A);
    EXPECT_EQ(Prop("Letter").GetOrd(p), 0x8A);

    Prop("Ratio").SetFloat(p, 2.5L);
    EXPECT_EQ(p.Ratio(), 2.5);

    Prop("Caption").SetStr(p, "表示");
    EXPECT_EQ(p.Caption(), "表示");
    Prop("Wide").SetWStr(p, L"ア");
    EXPECT_EQ(p.Wide, L"ア");

    EXPECT_EQ(Prop("Style").Kind(), TTypeKind::Set);
    EXPECT_EQ(Prop("Style").Type().ElementType, &TypeInfoOf<TTestAlign>());
    Prop("Style").SetOrd(p, 0b1010);
    EXPECT_TRUE(p.Style.Contains(taTop));
    EXPECT_TRUE(p.Style.Contains(taClient));
    EXPECT_FALSE(p.Style.Contains(taNone));

    EXPECT_EQ(Prop("Color").Kind(), TTypeKind::Integer);
    EXPECT_EQ(Prop("Color").Type().Name, "TTestColor");
    Prop("Color").SetOrd(p, static_cast<std::int64_t>(0x80000005u));
    EXPECT_EQ(static_cast<std::uint32_t>(p.Color), 0x80000005u);

    EXPECT_EQ(Prop("Big").Kind(), TTypeKind::Int64);
    Prop("Big").SetOrd(p, 1LL << 40);
    EXPECT_EQ(p.Big, 1LL << 40);
}

TEST(ClassInfo, ReadOnlyPropertiesAndWrongKindsAreRefused)
{
    TProbe p(nullptr);
    EXPECT_FALSE(Prop("ReadOnlyNumber").Writable());
    EXPECT_TRUE(Prop("Number").Writable());
    p.SetNumber(7);
    EXPECT_EQ(Prop("ReadOnlyNumber").GetOrd(p), 7);
    EXPECT_THROW(Prop("ReadOnlyNumber").SetOrd(p, 1), EInvalidCast);
    EXPECT_THROW(Prop("Caption").SetOrd(p, 1), EInvalidCast);
    EXPECT_THROW(Prop("Number").SetStr(p, "1"), EInvalidCast);
}

TEST(ClassInfo, ClassPropertiesTakeOnlyObjectsOfTheirClass)
{
    TTestForm form(nullptr);
    auto* a = new TProbe(&form);
    auto* b = new TProbe(&form);
    auto* plain = new TComponent(&form);
    EXPECT_EQ(Prop("Buddy").Type().ClassType(), &TProbe::StaticClass());
    Prop("Buddy").SetObject(*a, b);
    EXPECT_EQ(a->Buddy, b);
    EXPECT_EQ(Prop("Buddy").GetObject(*a), b);
    EXPECT_THROW(Prop("Buddy").SetObject(*a, plain), EInvalidCast);
    EXPECT_EQ(a->Buddy, b);
    Prop("Buddy").SetObject(*a, nullptr);
    EXPECT_EQ(a->Buddy, nullptr);
}

TEST(Events, EventsCompareByObjectAndMethodAndStartEmpty)
{
    TTestForm form1(nullptr), form2(nullptr);
    TNotifyEvent empty;
    EXPECT_FALSE(empty);
    empty(nullptr);  // calling an empty event does nothing
    TNotifyEvent a(&form1, &TTestForm::Button1Click);
    TNotifyEvent b(&form1, &TTestForm::Button1Click);
    TNotifyEvent c(&form2, &TTestForm::Button1Click);
    EXPECT_TRUE(a);
    EXPECT_EQ(a, b);
    EXPECT_NE(a, c);
    EXPECT_NE(a, empty);
    a(&form2);
    ASSERT_EQ(form1.clicks.size(), 1u);
    EXPECT_EQ(form1.clicks[0], &form2);
}

TEST(Events, PublishedMethodsBindToEventsOfTheirShapeOnly)
{
    TTestForm form(nullptr);
    auto* probe = new TProbe(&form);
    const TMethodInfo* click = form.ClassInfo().FindMethod("button1click");
    ASSERT_NE(click, nullptr);
    Prop("OnPing").SetMethod(*probe, {&form, click->Code, click->Signature});
    probe->OnPing(probe);
    ASSERT_EQ(form.clicks.size(), 1u);
    EXPECT_EQ(form.clicks[0], probe);
    EXPECT_EQ(Prop("OnPing").GetMethod(*probe).Code, click->Code);
    EXPECT_EQ(form.ClassInfo().FindMethod(Prop("OnPing").GetMethod(*probe))->Name, "Button1Click");

    const TMethodInfo* keyUp = form.ClassInfo().FindMethod("Memo1KeyUp");
    ASSERT_NE(keyUp, nullptr);
    EXPECT_THROW(Prop("OnPing").SetMethod(*probe, {&form, keyUp->Code, keyUp->Signature}), EInvalidCast);
    Prop("OnKey").SetMethod(*probe, {&form, keyUp->Code, keyUp->Signature});
    unsigned short key = 13;
    probe->OnKey(probe, key);
    EXPECT_EQ(key, 0);
    Prop("OnKey").SetMethod(*probe, {});
    EXPECT_FALSE(probe->OnKey);
    EXPECT_EQ(form.ClassInfo().FindMethod("Button2Click"), nullptr);
}

TEST(ClassInfo, FieldClassTableFindsTheClassesOfPublishedFields)
{
    EXPECT_EQ(TTestForm::StaticClass().FindFieldClass("tprobe"), &TProbe::StaticClass());
    EXPECT_EQ(TTestForm::StaticClass().FindFieldClass("TComponent"), nullptr);
    ASSERT_NE(TTestForm::StaticClass().FindField("MEMO2"), nullptr);
    EXPECT_EQ(&TTestForm::StaticClass().FindField("MEMO2")->FieldClass(), &TProbe::StaticClass());
}

TEST(Names, IdentifierMatchingRules)
{
    EXPECT_TRUE(SameIdent("OnClick", "ONCLICK"));
    EXPECT_FALSE(SameIdent("OnClick", "OnClic"));
    EXPECT_TRUE(SameText("Memo1", "mEMO1"));
    EXPECT_FALSE(SameText("@", "`"));  // only letters fold
    EXPECT_TRUE(IsValidIdent("_a1"));
    EXPECT_FALSE(IsValidIdent("a b"));
    EXPECT_FALSE(IsValidIdent(""));
}

}  // namespace
