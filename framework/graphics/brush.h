// Brushes described by value (colour and style); equal brushes share one GDI brush.
#pragma once

#include <cstdint>

#include "framework/core/type_info.h"
#include "framework/graphics/color.h"
#include "framework/graphics/graphics_object.h"
#include "platform/win32.h"

enum TBrushStyle : std::uint8_t {
    bsSolid,
    bsClear,
    bsHorizontal,
    bsVertical,
    bsFDiagonal,
    bsBDiagonal,
    bsCross,
    bsDiagCross
};
const TTypeInfo& TypeInfoFor(TBrushStyle*);

struct TBrushValue {
    std::int32_t Color;
    std::uint8_t Style;
    std::uint8_t Reserved[3];
};

class TBrush : public TGraphicsObject {
    DECLARE_CLASS(TBrush)
public:
    TBrush();
    ~TBrush() override;

    void Assign(const TPersistent* source) override;

    TColor Color() const { return static_cast<TColor>(Value().Color); }
    void SetColor(TColor color);
    TBrushStyle Style() const { return static_cast<TBrushStyle>(Value().Style); }
    void SetStyle(TBrushStyle style);

    // The GDI brush, made on first request; the colour goes through ColorToRGB.
    HBRUSH Handle() const;

private:
    struct Resource;
    const TBrushValue& Value() const;
    void SetValue(const TBrushValue& value);

    Resource* resource_;
};
