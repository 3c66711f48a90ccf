// The image list: the tool pictures read from a form resource, the bitmap layouts it takes and the
// damaged ones it refuses, and its pictures drawn normally and greyed over a background.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <functional>

#include "framework/core/class_info.h"
#include "framework/core/form_loading.h"
#include "framework/graphics/image_list.h"

namespace {

class TImageHolder : public TComponent {
    DECLARE_CLASS(TImageHolder)
public:
    explicit TImageHolder(TComponent* owner) : TComponent(owner) {}
    TImageList* ImageList1 = nullptr;
};

}  // namespace

const TClassInfo& TImageHolder::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TImageHolder, TComponent>("TImageHolder").Field("ImageList1", &TImageHolder::ImageList1).Build();
    return info;
}

namespace {

constexpr std::uint32_t Transparent = 0x00000000;
// Colours of the drawn pictures (see tools/toolbar-images.py).
constexpr std::uint32_t GlassBlue = 0xFFBCDCF6;
constexpr std::uint32_t DiskBlue = 0xFF3068C4;
constexpr std::uint32_t FolderYellow = 0xFFF8CE56;

// A bitmap file of `width` × `height` pixels (0xAARRGGBB, top row first).
std::vector<std::uint8_t> BitmapFile(
    int width, int height, int bits, const std::vector<std::uint32_t>& pixels, bool topDown = false)
{
    int stride = (width * bits / 8 + 3) & ~3;
    std::vector<std::uint8_t> file(54 + stride * height);
    auto put32 = [&](int at, std::uint32_t v) { std::memcpy(&file[at], &v, 4); };
    auto put16 = [&](int at, std::uint16_t v) { std::memcpy(&file[at], &v, 2); };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, static_cast<std::uint32_t>(file.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, width);
    put32(22, topDown ? -height : height);
    put16(26, 1);
    put16(28, static_cast<std::uint16_t>(bits));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            std::uint32_t p = pixels[y * width + x];
            std::uint8_t* at = &file[54 + stride * (topDown ? y : height - 1 - y) + x * bits / 8];
            at[0] = p & 0xFF;
            at[1] = p >> 8 & 0xFF;
            at[2] = p >> 16 & 0xFF;
            if (bits == 32)
                at[3] = p >> 24;
        }
    return file;
}

std::vector<std::uint32_t> Filled(int count, std::uint32_t pixel) { return std::vector<std::uint32_t>(count, pixel); }

TEST(ImageList, TheToolPicturesComeFromTheFormResourceAsFourCrispPictures)
{
    TImageHolder holder(nullptr);
    ASSERT_TRUE(ReadComponentRes("TImageHolder", nullptr, &holder));
    TImageList* list = holder.ImageList1;
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->Count(), 4);
    struct {
        int index, x, y;
        std::uint32_t pixel;
    } const samples[] = {
        {0, 0, 0, Transparent},   {0, 6, 5, GlassBlue},     {2, 5, 8, DiskBlue},
        {2, 15, 15, Transparent}, {3, 6, 10, FolderYellow}, {3, 15, 0, Transparent},
    };
    for (auto s : samples)
        EXPECT_EQ(list->Image(s.index).At(s.x, s.y), s.pixel) << "picture " << s.index << " at " << s.x << "," << s.y;
}

TEST(ImageList, ReadsTheUsualLayoutsOfBitmapFiles)
{
    struct {
        const char* layout;
        std::vector<std::uint8_t> file;
        std::uint32_t first, second;
    } const cases[] = {
        {"32 bits with opacity", BitmapFile(2, 1, 32, {0x80102030, 0xFF405060}), 0x80102030, 0xFF405060},
        {"32 bits top-down", BitmapFile(2, 2, 32, {0xFF000001, 0xFF000002, 0xFF000003, 0xFF000004}, true), 0xFF000001,
         0xFF000002},
        {"32 bits, every opacity 0: opaque", BitmapFile(2, 1, 32, {0x00102030, 0x00405060}), 0xFF102030, 0xFF405060},
        {"24 bits, fuchsia transparent", BitmapFile(2, 1, 24, {0xFFFF00FF, 0xFF405060}), 0x00FF00FF, 0xFF405060},
    };
    for (const auto& c : cases) {
        TPixelImage image = ReadBitmapFile(c.file.data(), c.file.size());
        EXPECT_EQ(image.At(0, 0), c.first) << c.layout;
        EXPECT_EQ(image.At(1, 0), c.second) << c.layout;
    }
}

TEST(ImageList, ADamagedBitmapIsRefusedAndTheListKeepsItsPictures)
{
    auto good = BitmapFile(32, 16, 32, Filled(32 * 16, 0xFF112233));
    auto changed = [&](const std::function<void(std::vector<std::uint8_t>&)>& change) {
        auto file = good;
        change(file);
        return file;
    };
    struct {
        const char* damage;
        std::vector<std::uint8_t> file;
    } const cases[] = {
        {"empty", {}},
        {"not a bitmap", changed([](auto& f) { f[0] = 'X'; })},
        {"pixels cut short", changed([](auto& f) { f.resize(f.size() - 1); })},
        {"header cut short", changed([](auto& f) { f.resize(30); })},
        {"8 bits per pixel", changed([](auto& f) { f[28] = 8; })},
        {"run-length compressed", changed([](auto& f) { f[30] = 1; })},
        {"pixels beyond the end", changed([](auto& f) { f[10] = 0xF0; })},
        {"a huge height", changed([](auto& f) { f[25] = 0x7F; })},
    };
    TImageList list(nullptr);
    list.LoadFromBitmapFile(good.data(), good.size());
    ASSERT_EQ(list.Count(), 2);
    for (const auto& c : cases) {
        try {
            list.LoadFromBitmapFile(c.file.data(), c.file.size());
            ADD_FAILURE() << c.damage << ": read without complaint";
        } catch (const EInvalidGraphic& e) {
            EXPECT_EQ(e.Message(), "イメージ リストのビットマップが正しくありません") << c.damage;
        }
        EXPECT_EQ(list.Count(), 2) << c.damage;
    }
    auto wrongSize = BitmapFile(20, 16, 32, Filled(20 * 16, 0xFF112233));
    EXPECT_THROW(list.LoadFromBitmapFile(wrongSize.data(), wrongSize.size()), EInvalidOperation)
        << "a width that is no multiple of the pictures'";
    EXPECT_THROW(list.Image(2), EInvalidOperation);
}

TEST(ImageList, DrawsAPictureOverTheBackgroundNormallyOrGreyed)
{
    // One picture: an opaque red pixel, a half-transparent blue one, the rest transparent.
    std::vector<std::uint32_t> pixels = Filled(16 * 16, Transparent);
    pixels[0] = 0xFFE02020;
    pixels[1] = 0x800000FF;
    TImageList list(nullptr);
    list.Add({16, 16, pixels});

    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 32, -2, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP target = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, target);
    auto* out = static_cast<std::uint32_t*>(bits);
    auto drawn = [&](bool enabled) {
        std::fill(out, out + 64, 0x00F0F0F0u);  // a light button face
        list.Draw(dc, 0, 0, 0, enabled);
        GdiFlush();
        return std::vector<std::uint32_t>{out[0] & 0xFFFFFF, out[1] & 0xFFFFFF, out[2] & 0xFFFFFF};
    };
    auto grey = [](std::uint32_t c) { return (c & 0xFF) == (c >> 8 & 0xFF) && (c & 0xFF) == (c >> 16 & 0xFF); };

    std::vector<std::uint32_t> normal = drawn(true);
    EXPECT_EQ(normal[0], 0xE02020u);
    EXPECT_NEAR(static_cast<int>(normal[1] & 0xFF), (0xFF + 0xF0) / 2.0, 2) << "half blue over the face";
    EXPECT_EQ(normal[2], 0xF0F0F0u) << "a transparent pixel leaves the face";

    std::vector<std::uint32_t> disabled = drawn(false);
    EXPECT_TRUE(grey(disabled[0]) && grey(disabled[1])) << std::hex << disabled[0] << " " << disabled[1];
    EXPECT_GT(disabled[0] & 0xFF, 0x80u) << "faint: closer to the face than the picture";
    EXPECT_EQ(disabled[2], 0xF0F0F0u);

    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(target);
}

}  // namespace
