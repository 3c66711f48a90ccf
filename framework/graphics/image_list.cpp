// TImageList: pictures of one size, their storage, reading from a form resource, and drawing.
#include "framework/graphics/image_list.h"

#include <algorithm>

#include "framework/core/class_info.h"
#include "framework/core/filer.h"
#include "framework/core/stream.h"
#include "platform/bitmaps.h"
#include "platform/gdi.h"

namespace {

constexpr int MaxSide = 256;

}  // namespace

const TClassInfo& TChangeLink::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TChangeLink, TObject>("TChangeLink").Build();
    return info;
}

TChangeLink::~TChangeLink()
{
    if (sender_)
        sender_->UnRegisterChanges(this);
}

const TClassInfo& TCustomImageList::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TCustomImageList, TComponent>("TCustomImageList").Build();
    return info;
}

const TClassInfo& TImageList::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TImageList, TCustomImageList>("TImageList")
            .Property("Width", &TImageList::Width, &TImageList::SetWidth)
            .Property("Height", &TImageList::Height, &TImageList::SetHeight)
            .Property("OnChange", &TImageList::OnChange)
            .Build();
    return info;
}

TCustomImageList::TCustomImageList(TComponent* owner) : TComponent(owner) {}

TCustomImageList::~TCustomImageList()
{
    for (TChangeLink* link : links_)
        link->sender_ = nullptr;
    FreeBitmaps();
}

void TCustomImageList::SetWidth(int value)
{
    if (value == width_)
        return;
    if (value < 1 || value > MaxSide)
        throw EInvalidOperation(SInvalidImageSize);
    width_ = value;
    Clear();
}

void TCustomImageList::SetHeight(int value)
{
    if (value == height_)
        return;
    if (value < 1 || value > MaxSide)
        throw EInvalidOperation(SInvalidImageSize);
    height_ = value;
    Clear();
}

int TCustomImageList::Add(const TPixelImage& image)
{
    if (image.Height != height_ || image.Width <= 0 || image.Width % width_ != 0)
        throw EInvalidOperation(SInvalidImageSize);
    int first = count_;
    int added = image.Width / width_;
    strip_.reserve(strip_.size() + image.Pixels.size());
    for (int i = 0; i < added; ++i)
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x)
                strip_.push_back(image.At(i * width_ + x, y));
    count_ += added;
    Change();
    return first;
}

void TCustomImageList::Delete(int index)
{
    CheckIndex(index);
    auto size = static_cast<std::ptrdiff_t>(width_) * height_;
    strip_.erase(strip_.begin() + index * size, strip_.begin() + (index + 1) * size);
    --count_;
    Change();
}

void TCustomImageList::Clear()
{
    if (count_ == 0)
        return;
    strip_.clear();
    count_ = 0;
    Change();
}

void TCustomImageList::CheckIndex(int index) const
{
    if (index < 0 || index >= count_)
        throw EInvalidOperation(SImageIndexError, {index});
}

TPixelImage TCustomImageList::Image(int index) const
{
    CheckIndex(index);
    auto size = static_cast<std::ptrdiff_t>(width_) * height_;
    return {width_, height_, {strip_.begin() + index * size, strip_.begin() + (index + 1) * size}};
}

void TCustomImageList::LoadFromBitmapFile(const std::uint8_t* data, std::size_t size)
{
    // Read first: a damaged bitmap leaves the pictures as they were.
    TPixelImage image = ReadBitmapFile(data, size);
    if (image.Height != height_ || image.Width % width_ != 0)
        throw EInvalidOperation(SInvalidImageSize);
    strip_.clear();
    count_ = 0;
    Add(image);
}

void TCustomImageList::DefineProperties(TFiler& filer)
{
    TComponent::DefineProperties(filer);
    // The pictures are stored as one bitmap file, side by side; this program only reads them.
    filer.DefineBinaryProperty(
        "Bitmap",
        [this](TStream& stream) {
            std::vector<std::uint8_t> bytes(static_cast<std::size_t>(stream.Size() - stream.Position()));
            stream.ReadBuffer(bytes.data(), static_cast<std::int32_t>(bytes.size()));
            LoadFromBitmapFile(bytes.data(), bytes.size());
        },
        {}, count_ > 0);
}

// ---- Drawing ----

HBITMAP TCustomImageList::BitmapOf(bool enabled) const
{
    HBITMAP& bitmap = enabled ? normal_ : disabled_;
    if (bitmap || count_ == 0)
        return bitmap;
    // Side by side for the system: row y holds row y of every picture in turn.
    int stripWidth = count_ * width_;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(stripWidth) * height_);
    for (int i = 0; i < count_; ++i)
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x) {
                std::uint32_t pixel = strip_[(static_cast<std::size_t>(i) * height_ + y) * width_ + x];
                pixels[static_cast<std::size_t>(y) * stripWidth + i * width_ + x] = ReadyToBlend(pixel, enabled);
            }
    bitmap = platform::CreateAlphaBitmap(stripWidth, height_, pixels.data());
    return bitmap;
}

void TCustomImageList::Draw(HDC dc, int x, int y, int index, bool enabled) const
{
    if (index < 0 || index >= count_)
        return;
    if (HBITMAP bitmap = BitmapOf(enabled))
        platform::DrawAlphaBitmap(dc, x, y, bitmap, {index * width_, 0, (index + 1) * width_, height_});
}

void TCustomImageList::FreeBitmaps() const
{
    for (HBITMAP* bitmap : {&normal_, &disabled_}) {
        if (*bitmap)
            platform::DeleteObject(*bitmap);
        *bitmap = nullptr;
    }
}

// ---- Changes ----

bool RelinkImageList(TComponent* holder, TCustomImageList*& slot, TCustomImageList* value, TChangeLink* link)
{
    if (value == slot)
        return false;
    if (slot) {
        slot->UnRegisterChanges(link);
        slot->RemoveFreeNotification(holder);
    }
    slot = value;
    if (value) {
        value->RegisterChanges(link);
        value->FreeNotification(holder);
    }
    return true;
}

void TCustomImageList::RegisterChanges(TChangeLink* link)
{
    if (link->sender_ == this)
        return;
    if (link->sender_)
        link->sender_->UnRegisterChanges(link);
    link->sender_ = this;
    links_.push_back(link);
}

void TCustomImageList::UnRegisterChanges(TChangeLink* link)
{
    if (link->sender_ != this)
        return;
    link->sender_ = nullptr;
    std::erase(links_, link);
}

void TCustomImageList::Change()
{
    FreeBitmaps();
    if (OnChange)
        OnChange(this);
    // A handler may register or drop links meanwhile; walk a copy and skip the dropped.
    std::vector<TChangeLink*> links = links_;
    for (TChangeLink* link : links)
        if (link->sender_ == this && link->OnChange)
            link->OnChange(this);
}
