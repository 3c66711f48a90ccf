// Brushes described by value (colour, style, pattern); equal brushes share one GDI brush.
#include "framework/graphics/brush.h"

#include <cstring>

#include "framework/core/class_info.h"
#include "platform/gdi.h"

constexpr TEnumName<TBrushStyle> BrushStyleNames[] = {
    {bsSolid, "bsSolid"},       {bsClear, "bsClear"},         {bsHorizontal, "bsHorizontal"},
    {bsVertical, "bsVertical"}, {bsFDiagonal, "bsFDiagonal"}, {bsBDiagonal, "bsBDiagonal"},
    {bsCross, "bsCross"},       {bsDiagCross, "bsDiagCross"}};

const TTypeInfo& TypeInfoFor(TBrushStyle*) { return EnumTypeInfo<BrushStyleNames>("TBrushStyle"); }

namespace {

using BrushManager = TResourceManager<TBrushValue>;

BrushManager& Brushes()
{
    static BrushManager* manager = new BrushManager;
    return *manager;
}

TBrushValue DefaultValue()
{
    TBrushValue value;
    std::memset(&value, 0, sizeof value);
    value.Color = clWhite;
    value.Style = bsSolid;
    return value;
}

HGDIOBJ MakeBrush(const TBrushValue& value)
{
    if (value.Bitmap)
        return platform::CreatePatternBrush(value.Bitmap);
    COLORREF rgb = ColorToRGB(static_cast<TColor>(value.Color));
    if (value.Style == bsSolid)
        return platform::CreateSolidBrush(rgb);
    if (value.Style == bsClear)
        return platform::CreateHollowBrush();
    return platform::CreateHatchBrush(value.Style - 2, rgb);
}

}  // namespace

const TClassInfo& TBrush::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TBrush, TGraphicsObject>("TBrush")
            .Property("Color", &TBrush::Color, &TBrush::SetColor)
            .Property("Style", &TBrush::Style, &TBrush::SetStyle)
            .Build();
    return info;
}

TBrush::TBrush() : resource_(Brushes(), DefaultValue()) {}

TBrush::~TBrush() = default;

void TBrush::Assign(const TPersistent* source)
{
    if (auto* brush = dynamic_cast<const TBrush*>(source)) {
        auto left = ShareValue(resource_, brush->resource_);
        if (left.Moved())
            Changed();
        return;
    }
    TGraphicsObject::Assign(source);
}

void TBrush::SetColor(TColor color)
{
    ChangeValue(resource_, [&](TBrushValue& value) {
        value.Color = color;
        value.Bitmap = nullptr;
        if (value.Style == bsClear)
            value.Style = bsSolid;
    });
}

void TBrush::SetStyle(TBrushStyle style)
{
    ChangeValue(resource_, [&](TBrushValue& value) {
        value.Style = style;
        if (style == bsClear)
            value.Bitmap = nullptr;
    });
}

void TBrush::SetBitmap(HBITMAP bitmap)
{
    ChangeValue(resource_, [&](TBrushValue& value) {
        value.Bitmap = bitmap;
        if (bitmap)
            value.Style = bsSolid;
    });
}

HBRUSH TBrush::Handle() const { return static_cast<HBRUSH>(resource_.Handle(MakeBrush)); }

void TBrush::DropSystemColorHandles()
{
    Brushes().DropHandles([](const TBrushValue& value) { return value.Color < 0 && !value.Bitmap; });
}
