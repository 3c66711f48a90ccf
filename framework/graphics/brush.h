// Brushes described by value (colour, style, pattern); equal brushes share one GDI brush.
#pragma once

#include <cstdint>

#include "framework/core/type_info.h"
#include "framework/graphics/color.h"
#include "framework/graphics/gdi_object_cache.h"
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

// The shared part of a brush's value; compared and hashed byte by byte.
struct TBrushValue {
    std::int32_t Color;
    HBITMAP Bitmap;  // a pattern; none for a plain brush
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
    // A pattern bitmap (the caller keeps it alive while the brush uses it); none for a plain brush.
    HBITMAP Bitmap() const { return Value().Bitmap; }
    void SetBitmap(HBITMAP bitmap);

    // The GDI brush, made on first request; the colour goes through ColorToRGB.
    HBRUSH Handle() const;

    // Deletes the GDI brushes of system colours, so that the next request takes the new colours.
    static void DropSystemColorHandles();

private:
    const TBrushValue& Value() const { return resource_.Data(); }

    TSharedResource<TBrushValue> resource_;
};
