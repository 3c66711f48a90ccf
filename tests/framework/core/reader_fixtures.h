// Component classes the form reader tests read resources into: a form-like root with published fields
// and handlers, a widget with properties of every kind, a font-like sub-object, a collection, binary
// picture data, and a journal of parent, child-order and loaded calls.
#pragma once

#include <string>
#include <vector>

#include "framework/core/class_info.h"
#include "framework/core/collection.h"
#include "framework/core/component.h"
#include "framework/core/string_list.h"
#include "tests/support/test_class.h"

// What the components were told, in order.
std::vector<std::string>& ReaderJournal();

enum TWidgetAlign { waNone, waTop, waBottom, waClient };
const TTypeInfo& TypeInfoFor(TWidgetAlign*);
enum TFontStyleBit { fsBold, fsItalic, fsUnderline, fsStrikeOut };
const TTypeInfo& TypeInfoFor(TFontStyleBit*);
using TFontStyles = TSet<TFontStyleBit>;
enum TWidgetColor : std::int32_t {};  // with an identifier map: clRed, clBtnFace
const TTypeInfo& TypeInfoFor(TWidgetColor*);
enum TWidgetCharset : std::int32_t {};  // no identifier map
const TTypeInfo& TypeInfoFor(TWidgetCharset*);
void RegisterWidgetColorMap();

class TWidgetFont : public TPersistent {
    DECLARE_CLASS(TWidgetFont)
public:
    std::string Name = "ＭＳ Ｐゴシック";
    int Size = 9;
    TFontStyles Style{fsBold};
    TWidgetColor Color{};
    TWidgetCharset Charset{};
    void Assign(const TPersistent* source) override;
};

// Binary data stored through a defined property "Data".
class TWidgetPicture : public TPersistent {
    DECLARE_TEST_CLASS(TWidgetPicture, TPersistent)
public:
    std::string Bytes;
    void DefineProperties(TFiler& filer) override;
};

class TWidgetPanel : public TCollectionItem {
    DECLARE_CLASS(TWidgetPanel)
public:
    int Width = 0;
    std::string Text;
    TComponent* Buddy() const { return buddy_; }
    // Journals "panel buddy NAME".
    void SetBuddy(TComponent* value);

private:
    TComponent* buddy_ = nullptr;
};

class TWidget : public TComponent {
    DECLARE_CLASS(TWidget)
public:
    explicit TWidget(TComponent* owner);
    ~TWidget() override;

    int Count() const { return count_; }
    void SetCount(int value) { count_ = value; }
    TWidgetFont* Font() const { return font_; }
    void SetFont(TWidgetFont* value) { font_->Assign(value); }
    TStringList* Lines() const { return lines_; }
    void SetLines(TStringList* value) { lines_->Assign(value); }
    TCollection* Panels() const { return panels_; }
    void SetPanels(TCollection* value) { panels_->Assign(value); }
    TWidgetPicture* Picture() const { return picture_; }
    int Fixed() const { return 7; }

    std::string Caption;
    std::wstring WideCaption;
    TWidgetAlign Align = waNone;
    bool Visible = true;
    double Ratio = 0;
    float Scale = 0;
    char Letter = 0;
    std::int64_t Big = 0;
    TWidgetColor Color{};
    TWidget* Buddy = nullptr;
    TComponent* Menu = nullptr;
    TNotifyEvent OnClick;
    TEvent<TObject*, int&> OnMeasure;

    // Nesting: a widget is the parent of the widgets in its record.
    TComponent* GetParentComponent() const override { return parent_; }
    bool HasParent() const override { return parent_ != nullptr; }
    void SetParentComponent(TComponent* parent) override;
    void SetChildOrder(TComponent* child, int order) override;
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    int count_ = 0;
    TWidgetFont* font_;
    TStringList* lines_;
    TCollection* panels_;
    TWidgetPicture* picture_;
    TComponent* parent_ = nullptr;
};

// A widget class that is not the class of any published field: found through the registry only.
class TGadget : public TWidget {
    DECLARE_TEST_CLASS(TGadget, TWidget)
public:
    using TWidget::TWidget;
};

class TReadForm : public TComponent {
    DECLARE_CLASS(TReadForm)
public:
    explicit TReadForm(TComponent* owner) : TComponent(owner) {}

    TWidget* Widget1 = nullptr;
    TWidget* Widget2 = nullptr;
    TWidget* Widget3 = nullptr;
    std::string Caption;

    void Widget1Click(TObject* sender) { clicked.push_back(sender); }
    void Widget1Measure(TObject*, int& size) { size = 42; }
    void Loaded() override;

    std::vector<TObject*> clicked;
};

// A form class derived from TReadForm, for resources read ancestor first.
class TReadForm2 : public TReadForm {
    DECLARE_CLASS(TReadForm2)
public:
    using TReadForm::TReadForm;
    TWidget* Widget4 = nullptr;
};

// Finds the roots of the test as global components (for unique names and references across forms).
void AddTestRoot(TComponent* root);
void RemoveTestRoot(TComponent* root);
