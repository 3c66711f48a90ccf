// TBitmap: its pixels, reading them from a bitmap file or a form resource, and drawing them.
#include "framework/graphics/bitmap.h"

#include <utility>
#include <vector>

#include "framework/core/class_info.h"
#include "framework/core/filer.h"
#include "framework/core/stream.h"
#include "platform/bitmaps.h"
#include "platform/gdi.h"

const TClassInfo& TBitmap::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TBitmap, TGraphic>("TBitmap").Build();
    return info;
}

TBitmap::~TBitmap() { FreePrepared(); }

void TBitmap::SetImage(TPixelImage image)
{
    FreePrepared();
    image_ = std::move(image);
    Changed();
}

void TBitmap::Assign(const TPersistent* source)
{
    if (!source) {
        SetImage({});
        return;
    }
    if (auto* bitmap = dynamic_cast<const TBitmap*>(source)) {
        if (bitmap != this)
            SetImage(bitmap->image_);
        return;
    }
    TGraphic::Assign(source);
}

HBITMAP TBitmap::Prepared(bool enabled) const
{
    HBITMAP& bitmap = enabled ? normal_ : disabled_;
    if (bitmap || Empty())
        return bitmap;
    std::vector<std::uint32_t> pixels(image_.Pixels.size());
    for (std::size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = ReadyToBlend(image_.Pixels[i], enabled);
    bitmap = platform::CreateAlphaBitmap(image_.Width, image_.Height, pixels.data());
    return bitmap;
}

void TBitmap::FreePrepared() const
{
    for (HBITMAP* bitmap : {&normal_, &disabled_}) {
        if (*bitmap)
            platform::DeleteObject(*bitmap);
        *bitmap = nullptr;
    }
}

void TBitmap::Draw(TCanvas& canvas, const RECT& rect) const
{
    if (HBITMAP bitmap = Prepared(true))
        platform::DrawAlphaBitmapStretched(canvas.Handle(), rect, bitmap, {0, 0, image_.Width, image_.Height});
}

void TBitmap::DrawAt(HDC dc, int x, int y, bool enabled) const
{
    if (HBITMAP bitmap = Prepared(enabled))
        platform::DrawAlphaBitmap(dc, x, y, bitmap, {0, 0, image_.Width, image_.Height});
}

void TBitmap::LoadFromData(const std::uint8_t* data, std::size_t size) { SetImage(ReadBitmapFile(data, size)); }

void TBitmap::DefineProperties(TFiler& filer)
{
    TGraphic::DefineProperties(filer);
    filer.DefineBinaryProperty(
        "Data",
        [this](TStream& stream) {
            std::int32_t length = 0;
            stream.ReadBuffer(&length, 4);
            if (length < 0 || length > stream.Size() - stream.Position())
                throw EInvalidGraphic(SInvalidBitmapData);
            std::vector<std::uint8_t> bytes(static_cast<std::size_t>(length));
            stream.ReadBuffer(bytes.data(), length);
            LoadFromData(bytes.data(), bytes.size());
        },
        {}, !Empty());
}
