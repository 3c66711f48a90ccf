// The base of fonts, pens and brushes, and the resource hash they share.
#include "framework/graphics/graphics_object.h"

#include "framework/core/class_info.h"
#include "framework/graphics/gdi_object_cache.h"
#include "platform/gdi.h"

const TClassInfo& TGraphicsObject::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TGraphicsObject, TPersistent>("TGraphicsObject").Build();
    return info;
}

void TGraphicsObject::Changed()
{
    if (OnChange)
        OnChange(this);
}

std::uint16_t ResourceHash(const void* data, std::size_t size)
{
    auto bytes = static_cast<const unsigned char*>(data);
    std::uint16_t hash = 0;
    for (std::size_t i = 0; i < size; ++i)
        hash = static_cast<std::uint16_t>(((hash << 5) | (hash >> 11)) ^ bytes[i]);
    return hash;
}

int ScreenPixelsPerInch()
{
    static const int pixels = [] {
        HDC dc = platform::WindowDC(nullptr);
        int value = platform::DeviceCaps(dc, LOGPIXELSY);
        platform::ReleaseWindowDC(nullptr, dc);
        return value > 0 ? value : 96;
    }();
    return pixels;
}
