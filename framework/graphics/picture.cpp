// TGraphic, TIcon and TPicture: icons read from their files, pictures read from form resources.
#include "framework/graphics/picture.h"

#include <string_view>
#include <tuple>
#include <vector>

#include "framework/core/class_info.h"
#include "framework/core/filer.h"
#include "framework/core/stream.h"
#include "framework/core/type_info.h"
#include "framework/graphics/bitmap_file.h"
#include "platform/icons.h"
#include "platform/screen.h"

const TClassInfo& TGraphic::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TGraphic, TPersistent>("TGraphic").Build();
    return info;
}

void TGraphic::Changed()
{
    if (OnChange)
        OnChange(this);
}

// ---- Icons ----

const TClassInfo& TIcon::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TIcon, TGraphic>("TIcon").Build();
    return info;
}

TIcon::~TIcon() { Release(); }

void TIcon::Release()
{
    if (handle_ && owned_)
        platform::DestroyIcon(handle_);
    handle_ = nullptr;
    size_ = {0, 0};
}

void TIcon::SetHandle(HICON icon, bool owned)
{
    if (icon == handle_)
        return;
    Release();
    handle_ = icon;
    owned_ = owned;
    if (icon)
        size_ = platform::IconSize(icon);
    Changed();
}

void TIcon::Draw(TCanvas& canvas, const RECT& rect) const
{
    if (handle_)
        platform::DrawIconStretched(canvas.Handle(), rect, handle_);
}

namespace {

std::uint16_t Word(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }

std::uint32_t Long(const std::uint8_t* p) { return Word(p) | static_cast<std::uint32_t>(Word(p + 2)) << 16; }

// One image of an icon file as its directory names it.
struct IconEntry {
    int width, height, bits;
    std::uint32_t offset, size;
};

}  // namespace

void TIcon::LoadFromData(const std::uint8_t* data, std::size_t size)
{
    // The header: 0, then 1 for an icon, then the number of images; a directory entry of 16 bytes
    // for each (width and height, 0 meaning 256; colours; planes; bits per pixel; size; offset).
    if (size < 6 || Word(data) != 0 || Word(data + 2) != 1 || Word(data + 4) == 0)
        throw EInvalidGraphic(SInvalidIcon);
    std::size_t count = Word(data + 4);
    if (size < 6 + 16 * count)
        throw EInvalidGraphic(SInvalidIcon);
    int wanted = platform::SystemMetric(SM_CXICON);
    const IconEntry* best = nullptr;
    std::vector<IconEntry> entries;
    entries.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* e = data + 6 + 16 * i;
        IconEntry entry{e[0] ? e[0] : 256, e[1] ? e[1] : 256, Word(e + 6), Long(e + 12), Long(e + 8)};
        if (entry.offset > size || entry.size > size - entry.offset || entry.size == 0)
            throw EInvalidGraphic(SInvalidIcon);
        entries.push_back(entry);
    }
    auto rank = [wanted](const IconEntry& e) {
        bool systemSize = e.width == wanted && e.height == wanted;
        return std::tuple(systemSize, e.width * e.height, e.bits);
    };
    for (const IconEntry& entry : entries)
        if (!best || rank(entry) > rank(*best))
            best = &entry;
    if (!best)
        throw EInvalidGraphic(SInvalidIcon);
    HICON icon = platform::CreateIconFromImage(data + best->offset, best->size, best->width, best->height);
    if (!icon)
        throw EInvalidGraphic(SInvalidIcon);
    SetHandle(icon, true);
}

namespace {

// Hands the rest of a stored "Data" property to `target`'s LoadFromData.
template <class T>
void LoadStoredData(TStream& stream, T& target)
{
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(stream.Size() - stream.Position()));
    stream.ReadBuffer(bytes.data(), static_cast<std::int32_t>(bytes.size()));
    target.LoadFromData(bytes.data(), bytes.size());
}

}  // namespace

void TIcon::Assign(const TPersistent* source)
{
    if (!source) {
        SetHandle(nullptr);
        return;
    }
    if (auto* other = dynamic_cast<const TIcon*>(source)) {
        if (other != this)
            SetHandle(other->handle_ ? platform::CopyIcon(other->handle_) : nullptr, true);
        return;
    }
    TGraphic::Assign(source);
}

void TIcon::DefineProperties(TFiler& filer)
{
    TGraphic::DefineProperties(filer);
    filer.DefineBinaryProperty(
        "Data", [this](TStream& stream) { LoadStoredData(stream, *this); }, {}, !Empty());
}

// ---- Pictures ----

const TClassInfo& TPicture::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TPicture, TPersistent>("TPicture").Build();
    return info;
}

TPicture::TPicture() = default;

TPicture::~TPicture() = default;

void TPicture::SetGraphic(std::unique_ptr<TGraphic> graphic)
{
    graphic_ = std::move(graphic);
    if (graphic_)
        graphic_->OnChange = TNotifyEvent(this, &TPicture::GraphicChanged);
    GraphicChanged(this);
}

TIcon* TPicture::Icon()
{
    if (auto* icon = dynamic_cast<TIcon*>(graphic_.get()))
        return icon;
    auto icon = std::make_unique<TIcon>();
    TIcon* result = icon.get();
    SetGraphic(std::move(icon));
    return result;
}

void TPicture::GraphicChanged(TObject*)
{
    if (OnChange)
        OnChange(this);
}

void TPicture::LoadFromData(const std::uint8_t* data, std::size_t size)
{
    // An icon file starts with a zero; anything else starts with the counted name of its class.
    if (size > 0 && data[0] != 0) {
        std::size_t length = data[0];
        if (length + 1 > size ||
            !SameText(std::string_view(reinterpret_cast<const char*>(data + 1), length), TIcon::StaticClass().Name()))
            throw EInvalidGraphic(SUnknownPictureFormat);
        data += length + 1;
        size -= length + 1;
    }
    if (size < 4 || Word(data) != 0 || Word(data + 2) != 1)
        throw EInvalidGraphic(SUnknownPictureFormat);
    auto icon = std::make_unique<TIcon>();
    icon->LoadFromData(data, size);
    SetGraphic(std::move(icon));
}

void TPicture::DefineProperties(TFiler& filer)
{
    TPersistent::DefineProperties(filer);
    filer.DefineBinaryProperty(
        "Data", [this](TStream& stream) { LoadStoredData(stream, *this); }, {}, graphic_ && !graphic_->Empty());
}
