// Pens described by value (colour, width, style); equal pens share one GDI pen.
#include "framework/graphics/pen.h"

#include <cstring>

#include "framework/core/class_info.h"
#include "platform/gdi.h"

constexpr TEnumName<TPenStyle> PenStyleNames[] = {
    {psSolid, "psSolid"},
    {psDash, "psDash"},
    {psDot, "psDot"},
    {psDashDot, "psDashDot"},
    {psDashDotDot, "psDashDotDot"},
    {psClear, "psClear"},
    {psInsideFrame, "psInsideFrame"}};

const TTypeInfo& TypeInfoFor(TPenStyle*) { return EnumTypeInfo<PenStyleNames>("TPenStyle"); }

constexpr TEnumName<TPenMode> PenModeNames[] = {
    {pmBlack, "pmBlack"},
    {pmWhite, "pmWhite"},
    {pmNop, "pmNop"},
    {pmNot, "pmNot"},
    {pmCopy, "pmCopy"},
    {pmNotCopy, "pmNotCopy"},
    {pmMergePenNot, "pmMergePenNot"},
    {pmMaskPenNot, "pmMaskPenNot"},
    {pmMergeNotPen, "pmMergeNotPen"},
    {pmMaskNotPen, "pmMaskNotPen"},
    {pmMerge, "pmMerge"},
    {pmNotMerge, "pmNotMerge"},
    {pmMask, "pmMask"},
    {pmNotMask, "pmNotMask"},
    {pmXor, "pmXor"},
    {pmNotXor, "pmNotXor"}};

const TTypeInfo& TypeInfoFor(TPenMode*) { return EnumTypeInfo<PenModeNames>("TPenMode"); }

namespace {

using PenManager = TResourceManager<TPenValue>;

PenManager& Pens()
{
    static PenManager* manager = new PenManager;
    return *manager;
}

TPenValue DefaultValue()
{
    TPenValue value;
    std::memset(&value, 0, sizeof value);
    value.Color = clBlack;
    value.Width = 1;
    value.Style = psSolid;
    return value;
}

HGDIOBJ MakePen(const TPenValue& value)
{
    static constexpr UINT styles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
    LOGPEN pen{};
    pen.lopnStyle = styles[value.Style];
    pen.lopnWidth.x = value.Width;
    pen.lopnColor = ColorToRGB(static_cast<TColor>(value.Color));
    return platform::CreatePen(pen);
}

}  // namespace

const TClassInfo& TPen::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TPen, TGraphicsObject>("TPen")
            .Property("Color", &TPen::Color, &TPen::SetColor)
            .Property("Mode", &TPen::Mode, &TPen::SetMode)
            .Property("Style", &TPen::Style, &TPen::SetStyle)
            .Property("Width", &TPen::Width, &TPen::SetWidth)
            .Build();
    return info;
}

TPen::TPen() : resource_(Pens(), DefaultValue()) {}

TPen::~TPen() = default;

void TPen::Assign(const TPersistent* source)
{
    if (auto* pen = dynamic_cast<const TPen*>(source)) {
        auto left = ShareValue(resource_, pen->resource_);
        bool changed = left.Moved() || mode_ != pen->mode_;
        mode_ = pen->mode_;
        if (changed)
            Changed();
        return;
    }
    TGraphicsObject::Assign(source);
}

void TPen::SetColor(TColor color)
{
    ChangeValue(resource_, [&](TPenValue& value) { value.Color = color; });
}

void TPen::SetWidth(int width)
{
    if (width >= 0)
        ChangeValue(resource_, [&](TPenValue& value) { value.Width = width; });
}

void TPen::SetStyle(TPenStyle style)
{
    ChangeValue(resource_, [&](TPenValue& value) { value.Style = style; });
}

void TPen::SetMode(TPenMode mode)
{
    if (mode == mode_)
        return;
    mode_ = mode;
    Changed();
}

int TPen::RasterMode() const
{
    static constexpr int modes[] = {
        R2_BLACK,       R2_WHITE,      R2_NOP,         R2_NOT,        R2_COPYPEN,  R2_NOTCOPYPEN,
        R2_MERGEPENNOT, R2_MASKPENNOT, R2_MERGENOTPEN, R2_MASKNOTPEN, R2_MERGEPEN, R2_NOTMERGEPEN,
        R2_MASKPEN,     R2_NOTMASKPEN, R2_XORPEN,      R2_NOTXORPEN};
    return modes[mode_];
}

HPEN TPen::Handle() const { return static_cast<HPEN>(resource_.Handle(MakePen)); }

void TPen::DropSystemColorHandles()
{
    Pens().DropHandles([](const TPenValue& value) { return value.Color < 0; });
}
