// The small types of controls: their type information and the size constraints.
#include "framework/controls/control_types.h"

#include <algorithm>

#include "framework/core/class_info.h"
#include "framework/core/int_consts.h"

namespace {

const TIdentMapEntry CursorNames[] = {
    {0, "crDefault"},     {-1, "crNone"},     {-2, "crArrow"},    {-3, "crCross"},     {-4, "crIBeam"},
    {-6, "crSizeNESW"},   {-7, "crSizeNS"},   {-8, "crSizeNWSE"}, {-9, "crSizeWE"},    {-10, "crUpArrow"},
    {-11, "crHourGlass"}, {-12, "crDrag"},    {-13, "crNoDrop"},  {-14, "crHSplit"},   {-15, "crVSplit"},
    {-16, "crMultiDrag"}, {-17, "crSQLWait"}, {-18, "crNo"},      {-19, "crAppStart"}, {-20, "crHelp"},
    {-21, "crHandPoint"}, {-22, "crSizeAll"}, {-22, "crSize"},
};

bool CursorFromIdent(const std::string& ident, std::int32_t& value) { return IdentToInt(ident, value, CursorNames); }
bool CursorToIdent(std::int32_t value, std::string& ident) { return IntToIdent(value, ident, CursorNames); }

}  // namespace

constexpr TEnumName<TAlign> AlignNames[] = {
    {alNone, "alNone"},   {alTop, "alTop"},       {alBottom, "alBottom"}, {alLeft, "alLeft"},
    {alRight, "alRight"}, {alClient, "alClient"}, {alCustom, "alCustom"}};

const TTypeInfo& TypeInfoFor(TAlign*) { return EnumTypeInfo<AlignNames>("TAlign"); }

constexpr TEnumName<TAnchorKind> AnchorKindNames[] = {
    {akLeft, "akLeft"}, {akTop, "akTop"}, {akRight, "akRight"}, {akBottom, "akBottom"}};

const TTypeInfo& TypeInfoFor(TAnchorKind*) { return EnumTypeInfo<AnchorKindNames>("TAnchorKind"); }

constexpr TEnumName<TPanelBevel> PanelBevelNames[] = {
    {bvNone, "bvNone"}, {bvLowered, "bvLowered"}, {bvRaised, "bvRaised"}, {bvSpace, "bvSpace"}};

const TTypeInfo& TypeInfoFor(TPanelBevel*) { return EnumTypeInfo<PanelBevelNames>("TPanelBevel"); }

constexpr TEnumName<TBevelKind> BevelKindNames[] = {
    {bkNone, "bkNone"}, {bkTile, "bkTile"}, {bkSoft, "bkSoft"}, {bkFlat, "bkFlat"}};

const TTypeInfo& TypeInfoFor(TBevelKind*) { return EnumTypeInfo<BevelKindNames>("TBevelKind"); }

constexpr TEnumName<TBevelEdge> BevelEdgeNames[] = {
    {beLeft, "beLeft"}, {beTop, "beTop"}, {beRight, "beRight"}, {beBottom, "beBottom"}};

const TTypeInfo& TypeInfoFor(TBevelEdge*) { return EnumTypeInfo<BevelEdgeNames>("TBevelEdge"); }

TAnchors AnchorsOfAlign(TAlign align)
{
    switch (align) {
    case alTop: return {akLeft, akTop, akRight};
    case alBottom: return {akLeft, akRight, akBottom};
    case alLeft: return {akLeft, akTop, akBottom};
    case alRight: return {akRight, akTop, akBottom};
    case alClient: return {akLeft, akTop, akRight, akBottom};
    default: return {akLeft, akTop};
    }
}

constexpr TEnumName<TAlignment> AlignmentNames[] = {
    {taLeftJustify, "taLeftJustify"}, {taRightJustify, "taRightJustify"}, {taCenter, "taCenter"}};

const TTypeInfo& TypeInfoFor(TAlignment*) { return EnumTypeInfo<AlignmentNames>("TAlignment"); }

constexpr TEnumName<TScrollStyle> ScrollStyleNames[] = {
    {ssNone, "ssNone"}, {ssHorizontal, "ssHorizontal"}, {ssVertical, "ssVertical"}, {ssBoth, "ssBoth"}};

const TTypeInfo& TypeInfoFor(TScrollStyle*) { return EnumTypeInfo<ScrollStyleNames>("TScrollStyle"); }

constexpr TEnumName<TDragMode> DragModeNames[] = {{dmManual, "dmManual"}, {dmAutomatic, "dmAutomatic"}};

const TTypeInfo& TypeInfoFor(TDragMode*) { return EnumTypeInfo<DragModeNames>("TDragMode"); }

constexpr TEnumName<TBiDiMode> BiDiModeNames[] = {
    {bdLeftToRight, "bdLeftToRight"},
    {bdRightToLeft, "bdRightToLeft"},
    {bdRightToLeftNoAlign, "bdRightToLeftNoAlign"},
    {bdRightToLeftReadingOnly, "bdRightToLeftReadingOnly"}};

const TTypeInfo& TypeInfoFor(TBiDiMode*) { return EnumTypeInfo<BiDiModeNames>("TBiDiMode"); }

constexpr TEnumName<TImeMode> ImeModeNames[] = {
    {imDisable, "imDisable"}, {imClose, "imClose"}, {imOpen, "imOpen"}, {imDontCare, "imDontCare"}};

const TTypeInfo& TypeInfoFor(TImeMode*) { return EnumTypeInfo<ImeModeNames>("TImeMode"); }

const TTypeInfo& TypeInfoFor(TCursor*)
{
    static const TTypeInfo& info = []() -> const TTypeInfo& {
        static const TTypeInfo made = MakeIntegerTypeInfo("TCursor");
        RegisterIntegerConsts(made, CursorFromIdent, CursorToIdent);
        return made;
    }();
    return info;
}

const TClassInfo& TSizeConstraints::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TSizeConstraints, TPersistent>("TSizeConstraints")
            .Property("MaxHeight", &TSizeConstraints::MaxHeight, &TSizeConstraints::SetMaxHeight)
            .Property("MaxWidth", &TSizeConstraints::MaxWidth, &TSizeConstraints::SetMaxWidth)
            .Property("MinHeight", &TSizeConstraints::MinHeight, &TSizeConstraints::SetMinHeight)
            .Property("MinWidth", &TSizeConstraints::MinWidth, &TSizeConstraints::SetMinWidth)
            .Build();
    return info;
}

void TSizeConstraints::Assign(const TPersistent* source)
{
    if (auto* other = dynamic_cast<const TSizeConstraints*>(source)) {
        maxHeight_ = other->maxHeight_;
        maxWidth_ = other->maxWidth_;
        minHeight_ = other->minHeight_;
        minWidth_ = other->minWidth_;
        Change();
        return;
    }
    TPersistent::Assign(source);
}

// A maximum below the minimum lifts the maximum, and the other way round, so that the pair stays usable.
void TSizeConstraints::SetMaxHeight(int value)
{
    if (value == maxHeight_)
        return;
    maxHeight_ = value;
    if (value > 0 && value < minHeight_)
        minHeight_ = value;
    Change();
}

void TSizeConstraints::SetMaxWidth(int value)
{
    if (value == maxWidth_)
        return;
    maxWidth_ = value;
    if (value > 0 && value < minWidth_)
        minWidth_ = value;
    Change();
}

void TSizeConstraints::SetMinHeight(int value)
{
    if (value == minHeight_)
        return;
    minHeight_ = value;
    if (maxHeight_ > 0 && value > maxHeight_)
        maxHeight_ = value;
    Change();
}

void TSizeConstraints::SetMinWidth(int value)
{
    if (value == minWidth_)
        return;
    minWidth_ = value;
    if (maxWidth_ > 0 && value > maxWidth_)
        maxWidth_ = value;
    Change();
}

void TSizeConstraints::Constrain(int& width, int& height) const
{
    if (maxWidth_ > 0)
        width = std::min(width, maxWidth_);
    if (minWidth_ > 0)
        width = std::max(width, minWidth_);
    if (maxHeight_ > 0)
        height = std::min(height, maxHeight_);
    if (minHeight_ > 0)
        height = std::max(height, minHeight_);
}

void TSizeConstraints::Change()
{
    if (OnChange)
        OnChange(this);
}
