// Component classes the form reader tests read resources into.
#include "tests/framework/core/reader_fixtures.h"

#include <algorithm>

#include "framework/core/filer.h"
#include "framework/core/fixups.h"
#include "framework/core/int_consts.h"
#include "framework/core/memory_stream.h"
#include "framework/core/stream.h"

std::vector<std::string>& ReaderJournal()
{
    static std::vector<std::string> journal;
    return journal;
}

constexpr TEnumName<TWidgetAlign> WidgetAlignNames[] = {
    {waNone, "waNone"}, {waTop, "waTop"}, {waBottom, "waBottom"}, {waClient, "waClient"}};

const TTypeInfo& TypeInfoFor(TWidgetAlign*) { return EnumTypeInfo<WidgetAlignNames>("TWidgetAlign"); }

constexpr TEnumName<TFontStyleBit> FontStyleBitNames[] = {
    {fsBold, "fsBold"}, {fsItalic, "fsItalic"}, {fsUnderline, "fsUnderline"}, {fsStrikeOut, "fsStrikeOut"}};

const TTypeInfo& TypeInfoFor(TFontStyleBit*) { return EnumTypeInfo<FontStyleBitNames>("TFontStyle"); }

const TTypeInfo& TypeInfoFor(TWidgetColor*)
{
    static const TTypeInfo info = MakeIntegerTypeInfo("TWidgetColor");
    return info;
}

const TTypeInfo& TypeInfoFor(TWidgetCharset*)
{
    static const TTypeInfo info = MakeIntegerTypeInfo("TWidgetCharset");
    return info;
}

void RegisterWidgetColorMap()
{
    static const TIdentMapEntry colors[] = {{0x0000FF, "clRed"}, {static_cast<std::int32_t>(0x8000000F), "clBtnFace"}};
    static bool done = false;
    if (done)
        return;
    done = true;
    RegisterIntegerConsts(
        TypeInfoOf<TWidgetColor>(), [](const std::string& s, std::int32_t& v) { return IdentToInt(s, v, colors); },
        [](std::int32_t v, std::string& s) { return IntToIdent(v, s, colors); });
}

const TClassInfo& TWidgetFont::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TWidgetFont, TPersistent>("TWidgetFont")
            .Property("Name", &TWidgetFont::Name)
            .Property("Size", &TWidgetFont::Size)
            .Property("Style", &TWidgetFont::Style)
            .Property("Color", &TWidgetFont::Color)
            .Property("Charset", &TWidgetFont::Charset)
            .Build();
    return info;
}

void TWidgetFont::Assign(const TPersistent* source)
{
    if (auto* other = dynamic_cast<const TWidgetFont*>(source)) {
        Name = other->Name;
        Size = other->Size;
        Style = other->Style;
        Color = other->Color;
        Charset = other->Charset;
        return;
    }
    TPersistent::Assign(source);
}

void TWidgetPicture::DefineProperties(TFiler& filer)
{
    filer.DefineBinaryProperty(
        "Data",
        [this](TStream& stream) {
            Bytes.assign(static_cast<std::size_t>(stream.Size()), '\0');
            stream.ReadBuffer(Bytes.data(), static_cast<std::int32_t>(Bytes.size()));
            ReaderJournal().push_back("picture data at " + std::to_string(stream.Position() - stream.Size()));
        },
        nullptr, !Bytes.empty());
}

const TClassInfo& TWidgetPanel::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TWidgetPanel, TCollectionItem>("TWidgetPanel")
            .Property("Width", &TWidgetPanel::Width)
            .Property("Text", &TWidgetPanel::Text)
            .Property("Buddy", &TWidgetPanel::Buddy, &TWidgetPanel::SetBuddy)
            .Build();
    return info;
}

void TWidgetPanel::SetBuddy(TComponent* value)
{
    buddy_ = value;
    ReaderJournal().push_back("panel buddy " + (value ? value->Name() : std::string("none")));
}

const TClassInfo& TWidget::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TWidget, TComponent>("TWidget")
            .Property("Caption", &TWidget::Caption)
            .Property("WideCaption", &TWidget::WideCaption)
            .Property("Count", &TWidget::Count, &TWidget::SetCount)
            .Property("Fixed", &TWidget::Fixed, nullptr)
            .Property("Align", &TWidget::Align)
            .Property("Visible", &TWidget::Visible)
            .Property("Ratio", &TWidget::Ratio)
            .Property("Scale", &TWidget::Scale)
            .Property("Letter", &TWidget::Letter)
            .Property("Big", &TWidget::Big)
            .Property("Color", &TWidget::Color)
            .Property("Font", &TWidget::Font, &TWidget::SetFont)
            .Property("Lines", &TWidget::Lines, &TWidget::SetLines)
            .Property("Panels", &TWidget::Panels, &TWidget::SetPanels)
            .Property("Picture", &TWidget::Picture, nullptr)
            .Property("Buddy", &TWidget::Buddy)
            .Property("Menu", &TWidget::Menu)
            .Property("OnClick", &TWidget::OnClick)
            .Property("OnMeasure", &TWidget::OnMeasure)
            .Build();
    return info;
}

TWidget::TWidget(TComponent* owner)
    : TComponent(owner), font_(new TWidgetFont), lines_(new TStringList),
      panels_(new TCollection(TCollectionItemClass::Of<TWidgetPanel>())), picture_(new TWidgetPicture)
{}

TWidget::~TWidget()
{
    delete picture_;
    delete panels_;
    delete lines_;
    delete font_;
}

void TWidget::SetParentComponent(TComponent* parent)
{
    parent_ = parent;
    ReaderJournal().push_back("parent of ? is " + (parent ? parent->Name() : std::string("none")));
}

void TWidget::SetChildOrder(TComponent* child, int order)
{
    ReaderJournal().push_back("order " + child->Name() + " " + std::to_string(order));
}

void TWidget::Loaded()
{
    TComponent::Loaded();
    ReaderJournal().push_back("loaded " + Name());
}

void TWidget::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation == opRemove) {
        if (component == Buddy)
            Buddy = nullptr;
        if (component == Menu)
            Menu = nullptr;
        if (component == parent_)
            parent_ = nullptr;
    }
}

const TClassInfo& TReadForm::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TReadForm, TComponent>("TReadForm")
            .Property("Caption", &TReadForm::Caption)
            .Field("Widget1", &TReadForm::Widget1)
            .Field("Widget2", &TReadForm::Widget2)
            .Field("Widget3", &TReadForm::Widget3)
            .Method("Widget1Click", &TReadForm::Widget1Click)
            .Method("Widget1Measure", &TReadForm::Widget1Measure)
            .Build();
    return info;
}

void TReadForm::Loaded()
{
    TComponent::Loaded();
    ReaderJournal().push_back("loaded " + Name());
}

const TClassInfo& TReadForm2::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TReadForm2, TReadForm>("TReadForm2").Field("Widget4", &TReadForm2::Widget4).Build();
    return info;
}

namespace {

std::vector<TComponent*>& Roots()
{
    static std::vector<TComponent*> roots;
    return roots;
}

TComponent* FindTestRoot(const std::string& name)
{
    for (TComponent* root : Roots())
        if (SameText(root->Name(), name))
            return root;
    return nullptr;
}

}  // namespace

void AddTestRoot(TComponent* root)
{
    static bool registered = false;
    if (!registered) {
        RegisterFindGlobalComponentProc(FindTestRoot);
        registered = true;
    }
    Roots().push_back(root);
}

void RemoveTestRoot(TComponent* root)
{
    Roots().erase(std::remove(Roots().begin(), Roots().end(), root), Roots().end());
}
