// Pens described by value (colour, width, style); equal pens share one GDI pen. The mode, how
// the pen combines with what is already drawn, belongs to each pen alone.
#pragma once

#include <cstdint>

#include "framework/core/type_info.h"
#include "framework/graphics/color.h"
#include "framework/graphics/gdi_object_cache.h"
#include "framework/graphics/graphics_object.h"
#include "platform/win32.h"

enum TPenStyle : std::uint8_t { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
const TTypeInfo& TypeInfoFor(TPenStyle*);

enum TPenMode : std::uint8_t {
    pmBlack,
    pmWhite,
    pmNop,
    pmNot,
    pmCopy,
    pmNotCopy,
    pmMergePenNot,
    pmMaskPenNot,
    pmMergeNotPen,
    pmMaskNotPen,
    pmMerge,
    pmNotMerge,
    pmMask,
    pmNotMask,
    pmXor,
    pmNotXor
};
const TTypeInfo& TypeInfoFor(TPenMode*);

// The shared part of a pen's value; compared and hashed byte by byte.
struct TPenValue {
    std::int32_t Color;
    std::int32_t Width;
    std::uint8_t Style;
    std::uint8_t Reserved[3];
};

class TPen : public TGraphicsObject {
    DECLARE_CLASS(TPen)
public:
    TPen();
    ~TPen() override;

    void Assign(const TPersistent* source) override;

    TColor Color() const { return static_cast<TColor>(Value().Color); }
    void SetColor(TColor color);
    int Width() const { return Value().Width; }
    void SetWidth(int width);  // below 0 is ignored
    TPenStyle Style() const { return static_cast<TPenStyle>(Value().Style); }
    void SetStyle(TPenStyle style);
    TPenMode Mode() const { return mode_; }
    void SetMode(TPenMode mode);
    // The raster operation (R2_ value) of the mode, for SetROP2.
    int RasterMode() const;

    // The GDI pen, made on first request; the colour goes through ColorToRGB.
    HPEN Handle() const;

    // Deletes the GDI pens of system colours, so that the next request takes the new colours.
    static void DropSystemColorHandles();

private:
    const TPenValue& Value() const { return resource_.Data(); }

    TSharedResource<TPenValue> resource_;
    TPenMode mode_ = pmCopy;
};
