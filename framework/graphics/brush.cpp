// Brushes described by value (colour and style); equal brushes share one GDI brush.
#include "framework/graphics/brush.h"

#include <cstring>

#include "framework/core/class_info.h"
#include "framework/graphics/gdi_object_cache.h"
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

void DeleteGdiObject(HGDIOBJ object) { platform::DeleteObject(object); }

TBrushValue MakeValue(TColor color, TBrushStyle style)
{
    TBrushValue value;
    std::memset(&value, 0, sizeof value);
    value.Color = color;
    value.Style = style;
    return value;
}

HGDIOBJ MakeBrush(const TBrushValue& value)
{
    COLORREF rgb = ColorToRGB(static_cast<TColor>(value.Color));
    if (value.Style == bsSolid)
        return platform::CreateSolidBrush(rgb);
    if (value.Style == bsClear)
        return platform::CreateHollowBrush();
    return platform::CreateHatchBrush(value.Style - 2, rgb);
}

}  // namespace

struct TBrush::Resource : BrushManager::Record {};

const TClassInfo& TBrush::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TBrush, TGraphicsObject>("TBrush")
            .Property("Color", &TBrush::Color, &TBrush::SetColor)
            .Property("Style", &TBrush::Style, &TBrush::SetStyle)
            .Build();
    return info;
}

TBrush::TBrush() : resource_(static_cast<Resource*>(Brushes().Allocate(MakeValue(clWhite, bsSolid)))) {}

TBrush::~TBrush() { Brushes().Release(resource_, DeleteGdiObject); }

const TBrushValue& TBrush::Value() const { return resource_->Data; }

void TBrush::SetValue(const TBrushValue& value)
{
    auto* fresh = static_cast<Resource*>(Brushes().Allocate(value));
    Resource* old = resource_;
    resource_ = fresh;
    Brushes().Release(old, DeleteGdiObject);
    if (fresh != old)
        Changed();
}

void TBrush::Assign(const TPersistent* source)
{
    if (auto* brush = dynamic_cast<const TBrush*>(source)) {
        SetValue(brush->Value());
        return;
    }
    TGraphicsObject::Assign(source);
}

void TBrush::SetColor(TColor color) { SetValue(MakeValue(color, Style())); }

void TBrush::SetStyle(TBrushStyle style) { SetValue(MakeValue(Color(), style)); }

HBRUSH TBrush::Handle() const { return static_cast<HBRUSH>(Brushes().Handle(resource_, MakeBrush)); }
