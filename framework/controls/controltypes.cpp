// The small types of controls: their type information and the size constraints.
#include "framework/controls/controltypes.h"

#include <algorithm>

#include "framework/core/classinfo.h"

const TTypeInfo& TypeInfoFor(TAlign*)
{
    static const TTypeInfo info =
        MakeEnumTypeInfo("TAlign", {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient", "alCustom"});
    return info;
}

const TTypeInfo& TypeInfoFor(TAnchorKind*)
{
    static const TTypeInfo info = MakeEnumTypeInfo("TAnchorKind", {"akLeft", "akTop", "akRight", "akBottom"});
    return info;
}

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

const TTypeInfo& TypeInfoFor(TDragMode*)
{
    static const TTypeInfo info = MakeEnumTypeInfo("TDragMode", {"dmManual", "dmAutomatic"});
    return info;
}

const TTypeInfo& TypeInfoFor(TBiDiMode*)
{
    static const TTypeInfo info = MakeEnumTypeInfo(
        "TBiDiMode", {"bdLeftToRight", "bdRightToLeft", "bdRightToLeftNoAlign", "bdRightToLeftReadingOnly"});
    return info;
}

const TTypeInfo& TypeInfoFor(TImeMode*)
{
    static const TTypeInfo info = MakeEnumTypeInfo("TImeMode", {"imDisable", "imClose", "imOpen", "imDontCare"});
    return info;
}

const TTypeInfo& TypeInfoFor(TCursor*)
{
    static const TTypeInfo info = MakeIntegerTypeInfo("TCursor");
    return info;
}

const TClassInfo& TSizeConstraints::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TSizeConstraints, TPersistent>("TSizeConstraints")
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
