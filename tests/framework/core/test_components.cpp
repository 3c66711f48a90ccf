// Small component classes for the object-model tests.
#include "tests/framework/core/test_components.h"

constexpr TEnumName<TTestAlign> TestAlignNames[] = {
    {taNone, "taNone"}, {taTop, "taTop"}, {taBottom, "taBottom"}, {taClient, "taClient"}};

const TTypeInfo& TypeInfoFor(TTestAlign*) { return EnumTypeInfo<TestAlignNames>("TTestAlign"); }

const TTypeInfo& TypeInfoFor(TTestColor*)
{
    static const TTypeInfo info = MakeIntegerTypeInfo("TTestColor");
    return info;
}

const TClassInfo& TProbe::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TProbe, TComponent>("TProbe")
            .Property("Number", &TProbe::Number, &TProbe::SetNumber)
            .Property("Align", &TProbe::Align, &TProbe::SetAlign)
            .Property("Flag", &TProbe::Flag, &TProbe::SetFlag)
            .Property("Letter", &TProbe::Letter, &TProbe::SetLetter)
            .Property("Ratio", &TProbe::Ratio, &TProbe::SetRatio)
            .Property("Caption", &TProbe::Caption, &TProbe::SetCaption)
            .Property("ReadOnlyNumber", &TProbe::Number, nullptr)
            .Property("Wide", &TProbe::Wide)
            .Property("Style", &TProbe::Style)
            .Property("Color", &TProbe::Color)
            .Property("Big", &TProbe::Big)
            .Property("Buddy", &TProbe::Buddy)
            .Property("OnPing", &TProbe::OnPing)
            .Property("OnKey", &TProbe::OnKey)
            .Build();
    return info;
}

TProbe::~TProbe()
{
    if (journal_)
        journal_->push_back("destroy " + Name());
}

void TProbe::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (journal_ && operation == opRemove)
        journal_->push_back(Name() + " told " + component->Name() + " goes");
    if (operation == opRemove && component == Buddy)
        Buddy = nullptr;
}

const TClassInfo& TTestForm::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TTestForm, TComponent>("TTestForm")
            .Field("Memo1", &TTestForm::Memo1)
            .Field("Memo2", &TTestForm::Memo2)
            .Method("Button1Click", &TTestForm::Button1Click)
            .Method("Memo1KeyUp", &TTestForm::Memo1KeyUp)
            .Build();
    return info;
}
