// TBitmap: one picture of any size with an opacity per pixel, read from a bitmap file and drawn
// blended over what a device context already shows, normally or greyed out.
#pragma once

#include <cstddef>
#include <cstdint>

#include "framework/graphics/bitmap_file.h"
#include "framework/graphics/picture.h"
#include "platform/win32.h"

class TBitmap : public TGraphic {
    DECLARE_CLASS(TBitmap)
public:
    TBitmap() = default;
    ~TBitmap() override;
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;

    bool Empty() const override { return image_.Pixels.empty(); }
    int Width() const override { return image_.Width; }
    int Height() const override { return image_.Height; }
    const TPixelImage& Image() const { return image_; }
    void SetImage(TPixelImage image);
    // From another bitmap: its pixels; none: empty.
    void Assign(const TPersistent* source) override;

    void Draw(TCanvas& canvas, const RECT& rect) const override;
    // Unstretched, the top left corner at (x, y); a disabled picture is grey and faint.
    void DrawAt(HDC dc, int x, int y, bool enabled = true) const;
    // A bitmap file (see ReadBitmapFile); a damaged one leaves the picture as it was.
    void LoadFromData(const std::uint8_t* data, std::size_t size) override;
    // The stored "Data": the file's length as four bytes, then the file.
    void DefineProperties(TFiler& filer) override;

private:
    HBITMAP Prepared(bool enabled) const;
    void FreePrepared() const;

    TPixelImage image_;
    // The pixels made ready for the system, normal and greyed, on first use.
    mutable HBITMAP normal_ = nullptr;
    mutable HBITMAP disabled_ = nullptr;
};
