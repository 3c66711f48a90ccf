// TStatusBar: the framework's status bar over the system's status bar window, with its panels
// (TStatusPanel) in a collection (TStatusPanels). Panel widths become the window's part edges; a
// panel's text, alignment and bevel become its part's text, sent when the bar next paints.
#pragma once

#include <string>

#include "framework/controls/control_canvas.h"
#include "framework/controls/win_control.h"
#include "framework/core/collection.h"

class TCustomStatusBar;
class TStatusPanel;

// Draws an owner-drawn panel on the bar's canvas, within the rectangle of its part.
using TDrawPanelEvent = TEvent<TCustomStatusBar*, TStatusPanel*, const RECT&>;
// The class of a panel about to be made: TStatusPanel or a class derived from it.
using TStatusPanelClass = TCollectionItemClass;
// Chooses the class of each new panel: the bar, the class (TStatusPanel unless changed).
using TCreatePanelClassEvent = TEvent<TCustomStatusBar*, TStatusPanelClass&>;

enum TStatusPanelBevel { pbNone, pbLowered, pbRaised };
const TTypeInfo& TypeInfoFor(TStatusPanelBevel*);

enum TStatusPanelStyle { psText, psOwnerDraw };
const TTypeInfo& TypeInfoFor(TStatusPanelStyle*);

class TStatusPanel : public TCollectionItem {
    DECLARE_CLASS(TStatusPanel)
public:
    TStatusPanel();

    // Copies Text, Width, Alignment, Bevel and Style.
    void Assign(const TPersistent* source) override;
    std::string GetDisplayName() const override;

    const std::string& Text() const { return text_; }
    void SetText(const std::string& value);
    int Width() const { return width_; }
    void SetWidth(int value);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    TStatusPanelBevel Bevel() const { return bevel_; }
    void SetBevel(TStatusPanelBevel value);
    TStatusPanelStyle Style() const { return style_; }
    void SetStyle(TStatusPanelStyle value);
    TBiDiMode BiDiMode() const { return biDiMode_; }
    void SetBiDiMode(TBiDiMode value);
    bool ParentBiDiMode() const { return parentBiDiMode_; }
    void SetParentBiDiMode(bool value);
    // Takes the bar's BiDiMode again while ParentBiDiMode is on.
    void ParentBiDiModeChanged();
    // Right-to-left reading / alignment: only on a system that reads right to left.
    bool UseRightToLeftReading() const;
    bool UseRightToLeftAlignment() const;

    // The bar this panel belongs to (none outside a bar's collection).
    TCustomStatusBar* StatusBar() const;

private:
    friend class TCustomStatusBar;
    std::string text_;
    int width_ = 50;
    TAlignment alignment_ = taLeftJustify;
    TStatusPanelBevel bevel_ = pbLowered;
    TBiDiMode biDiMode_ = bdLeftToRight;
    bool parentBiDiMode_ = true;
    TStatusPanelStyle style_ = psText;
    bool updateNeeded_ = false;  // the text goes to the window at the next paint
};

class TStatusPanels : public TCollection {
    DECLARE_CLASS(TStatusPanels)
public:
    explicit TStatusPanels(TCustomStatusBar* statusBar);

    TStatusPanel* Items(int index) const { return static_cast<TStatusPanel*>(TCollection::Items(index)); }
    TStatusPanel* Add() { return static_cast<TStatusPanel*>(TCollection::Add()); }
    TPersistent* GetOwner() const override;
    TCustomStatusBar* StatusBar() const { return statusBar_; }

protected:
    // One panel changed: that part's text; all of them: the part edges and every text.
    void Update(TCollectionItem* item) override;
    // A new panel, of the class the bar chooses.
    TCollectionItem* CreateItem() override;

private:
    TCustomStatusBar* statusBar_;
};

class TCustomStatusBar : public TWinControl {
    DECLARE_CLASS(TCustomStatusBar)
public:
    explicit TCustomStatusBar(TComponent* owner);
    ~TCustomStatusBar() override;

    TStatusPanels* Panels() const { return panels_; }
    void SetPanels(TStatusPanels* value) { panels_->Assign(value); }
    bool SimplePanel() const { return simplePanel_; }
    void SetSimplePanel(bool value);
    const std::string& SimpleText() const { return simpleText_; }
    void SetSimpleText(const std::string& value);
    // The grip is shown only when it is wished and the bar sits in the bottom right corner of a
    // sizeable form.
    bool SizeGrip() const { return sizeGrip_; }
    void SetSizeGrip(bool value);
    bool SizeGripValid() const { return sizeGripValid_; }
    // The screen's hint font, in clBtnText, kept up to date with the system's settings.
    bool UseSystemFont() const { return useSystemFont_; }
    void SetUseSystemFont(bool value);
    bool AutoHint() const { return autoHint_; }
    void SetAutoHint(bool value) { autoHint_ = value; }
    // Where OnDrawPanel draws (while it runs: the part's device context, with the bar's font).
    TCanvas* Canvas() const { return canvas_; }

    // Sends one panel's text to the window (`repaint`), or marks it for the next paint and
    // invalidates its part.
    void UpdatePanel(int index, bool repaint);
    // Every panel: with new part edges first when `updateRects`; texts as UpdatePanel.
    void UpdatePanels(bool updateRects, bool repaint);

    // With AutoHint on, the application's hint shows in the simple part (or the first panel) unless
    // OnHint takes it.
    bool ExecuteAction(TBasicAction* action) override;
    void SetBounds(int left, int top, int width, int height) override;
    void ChangeScale(int multiplier, int divider) override;
    void Dispatch(TMessage& message) override;

    // A new panel of the class OnCreatePanelClass chooses; a class that is not a panel's is refused
    // with the collection's error for an item of the wrong class.
    virtual TStatusPanel* CreatePanel();

    TNotifyEvent OnHint;
    TDrawPanelEvent OnDrawPanel;
    TCreatePanelClassEvent OnCreatePanelClass;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    // An owner-drawn panel: OnDrawPanel, or without one the part filled in the canvas's brush.
    virtual void DrawPanel(TStatusPanel* panel, const RECT& rect);

private:
    // Checks whether the grip can show; re-creates the window when that changed and `recreate`.
    void ValidateSizeGrip(bool recreate);
    void SyncToSystemFont();
    void WMPaint(TMessage& m);
    void WMSize(TMessage& m);
    void WMGetTextLength(TMessage& m);
    void CNDrawItem(TMessage& m);
    void CMParentFontChanged(TMessage& m);
    void CMBiDiModeChanged(TMessage& m);

    TStatusPanels* panels_;
    TControlCanvas* canvas_;
    bool simplePanel_ = false;
    std::string simpleText_;
    bool sizeGrip_ = true;
    bool sizeGripValid_ = false;
    bool useSystemFont_ = true;
    bool autoHint_ = false;
};

class TStatusBar : public TCustomStatusBar {
    DECLARE_CLASS(TStatusBar)
public:
    explicit TStatusBar(TComponent* owner) : TCustomStatusBar(owner) {}
};
