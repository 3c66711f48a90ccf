// The small types of controls: alignment, anchors, cursors, styles and states, size constraints.
#pragma once

#include <cstdint>

#include "framework/core/event.h"
#include "framework/core/persistent.h"
#include "framework/core/set.h"
#include "framework/core/type_info.h"
#include "framework/graphics/mul_div.h"

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
const TTypeInfo& TypeInfoFor(TAlign*);

enum TAnchorKind { akLeft, akTop, akRight, akBottom };
using TAnchors = TSet<TAnchorKind>;
const TTypeInfo& TypeInfoFor(TAnchorKind*);

// The anchors an alignment implies; a control whose anchors differ is also placed by its anchors.
TAnchors AnchorsOfAlign(TAlign align);

// Where text sits in its box.
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
const TTypeInfo& TypeInfoFor(TAlignment*);

// The cut of a bevel: none, sunk, raised, or a gap in the control's colour.
enum TPanelBevel { bvNone, bvLowered, bvRaised, bvSpace };
const TTypeInfo& TypeInfoFor(TPanelBevel*);
using TBevelCut = TPanelBevel;

// How a windowed control frames itself with bevels outside its client area, and on which edges.
enum TBevelKind { bkNone, bkTile, bkSoft, bkFlat };
const TTypeInfo& TypeInfoFor(TBevelKind*);
enum TBevelEdge { beLeft, beTop, beRight, beBottom };
using TBevelEdges = TSet<TBevelEdge>;
const TTypeInfo& TypeInfoFor(TBevelEdge*);

// The scroll bars of a control's window.
enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
const TTypeInfo& TypeInfoFor(TScrollStyle*);

enum TDragMode { dmManual, dmAutomatic };
const TTypeInfo& TypeInfoFor(TDragMode*);

enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };
const TTypeInfo& TypeInfoFor(TBiDiMode*);

enum TImeMode { imDisable, imClose, imOpen, imDontCare };
const TTypeInfo& TypeInfoFor(TImeMode*);

enum TCursor : std::int16_t {};
constexpr TCursor crDefault = TCursor(0);
constexpr TCursor crNone = TCursor(-1);
constexpr TCursor crArrow = TCursor(-2);
constexpr TCursor crCross = TCursor(-3);
constexpr TCursor crIBeam = TCursor(-4);
constexpr TCursor crSizeNESW = TCursor(-6);
constexpr TCursor crSizeNS = TCursor(-7);
constexpr TCursor crSizeNWSE = TCursor(-8);
constexpr TCursor crSizeWE = TCursor(-9);
constexpr TCursor crUpArrow = TCursor(-10);
constexpr TCursor crHourGlass = TCursor(-11);
constexpr TCursor crNo = TCursor(-18);
constexpr TCursor crAppStart = TCursor(-19);
constexpr TCursor crHelp = TCursor(-20);
constexpr TCursor crHandPoint = TCursor(-21);
constexpr TCursor crSizeAll = TCursor(-22);
const TTypeInfo& TypeInfoFor(TCursor*);

enum TControlStyleElement {
    csAcceptsControls,
    csCaptureMouse,
    csClickEvents,
    csSetCaption,
    csOpaque,
    csDoubleClicks,
    csNoStdEvents,
    csFixedWidth,
    csFixedHeight,
    csNoDesignVisible,
    csFramed
};
using TControlStyle = TSet<TControlStyleElement>;

enum TControlStateElement {
    csLButtonDown,
    csClicked,
    csFocusing,
    csAlignmentNeeded,
    csDestroyingHandle,
    csReadingState
};
using TControlState = TSet<TControlStateElement>;

// Which bounds (and the font) were set while loading, and so take part in scaling.
enum TScalingFlag { sfLeft, sfTop, sfWidth, sfHeight, sfFont, sfDesignSize };
using TScalingFlags = TSet<TScalingFlag>;

// Minimum and maximum width and height of a control (0: no limit).
class TSizeConstraints : public TPersistent {
    DECLARE_CLASS(TSizeConstraints)
public:
    void Assign(const TPersistent* source) override;

    int MaxHeight() const { return maxHeight_; }
    void SetMaxHeight(int value);
    int MaxWidth() const { return maxWidth_; }
    void SetMaxWidth(int value);
    int MinHeight() const { return minHeight_; }
    void SetMinHeight(int value);
    int MinWidth() const { return minWidth_; }
    void SetMinWidth(int value);

    // Brings a width and a height within the limits.
    void Constrain(int& width, int& height) const;

    TNotifyEvent OnChange;

private:
    void Change();
    int maxHeight_ = 0, maxWidth_ = 0, minHeight_ = 0, minWidth_ = 0;
};
