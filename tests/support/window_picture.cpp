// Pictures of windows as PNG files: the pixels come from the screen or the window, the file is a
// plain PNG whose image data is stored without compression (zlib's stored blocks).
#include "tests/support/window_picture.h"

#include <algorithm>
#include <cstdio>

namespace testsupport {

namespace {

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size, std::uint32_t crc = 0)
{
    crc = ~crc;
    for (std::size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void PutBig32(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void PutChunk(std::vector<std::uint8_t>& out, const char* type, const std::vector<std::uint8_t>& data)
{
    PutBig32(out, static_cast<std::uint32_t>(data.size()));
    std::size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    PutBig32(out, Crc32(out.data() + start, out.size() - start));
}

// The rows (each led by filter byte 0) as a zlib stream of stored blocks.
std::vector<std::uint8_t> StoredZlib(const std::vector<std::uint8_t>& raw)
{
    std::vector<std::uint8_t> out{0x78, 0x01};
    std::size_t done = 0;
    do {
        std::size_t length = std::min<std::size_t>(raw.size() - done, 65535);
        bool last = done + length == raw.size();
        out.push_back(last ? 1 : 0);
        out.push_back(static_cast<std::uint8_t>(length));
        out.push_back(static_cast<std::uint8_t>(length >> 8));
        out.push_back(static_cast<std::uint8_t>(~length));
        out.push_back(static_cast<std::uint8_t>(~length >> 8));
        out.insert(out.end(), raw.begin() + done, raw.begin() + done + length);
        done += length;
    } while (done < raw.size());
    std::uint32_t a = 1, b = 0;
    for (std::uint8_t byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    PutBig32(out, (b << 16) | a);
    return out;
}

// The pixels of `from`'s rectangle (x, y, width, height).
Picture Copy(HDC from, int x, int y, int width, int height)
{
    Picture picture;
    if (width <= 0 || height <= 0)
        return picture;
    HDC memory = CreateCompatibleDC(from);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(from, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    if (BitBlt(memory, 0, 0, width, height, from, x, y, SRCCOPY)) {
        GdiFlush();
        auto* p = static_cast<const std::uint32_t*>(bits);
        picture = {width, height, std::vector<std::uint32_t>(p, p + static_cast<std::size_t>(width) * height)};
        for (std::uint32_t& pixel : picture.pixels)
            pixel &= 0xFFFFFF;
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    return picture;
}

}  // namespace

Picture Picture::Cut(const RECT& r) const
{
    Picture part{r.right - r.left, r.bottom - r.top, {}};
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            part.pixels.push_back(At(x, y));
    return part;
}

Picture CaptureClient(HWND window)
{
    RECT client{};
    GetClientRect(window, &client);
    HDC dc = GetDC(window);
    Picture picture = Copy(dc, 0, 0, client.right, client.bottom);
    ReleaseDC(window, dc);
    return picture;
}

Picture CaptureScreen(const RECT& area)
{
    HDC screen = GetDC(nullptr);
    Picture picture = Copy(screen, area.left, area.top, area.right - area.left, area.bottom - area.top);
    ReleaseDC(nullptr, screen);
    return picture;
}

Picture Stacked(const std::vector<Picture>& pictures, int gap, std::uint32_t background)
{
    Picture out;
    for (const Picture& p : pictures)
        out.width = std::max(out.width, p.width);
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        if (i > 0) {
            out.pixels.insert(out.pixels.end(), static_cast<std::size_t>(gap) * out.width, background);
            out.height += gap;
        }
        for (int y = 0; y < pictures[i].height; ++y)
            for (int x = 0; x < out.width; ++x)
                out.pixels.push_back(x < pictures[i].width ? pictures[i].At(x, y) : background);
        out.height += pictures[i].height;
    }
    return out;
}

bool SavePicture(const Picture& picture, const std::string& name)
{
    if (picture.width <= 0 || picture.height <= 0)
        return false;
    std::vector<std::uint8_t> raw;
    raw.reserve(static_cast<std::size_t>(picture.height) * (1 + picture.width * 3));
    for (int y = 0; y < picture.height; ++y) {
        raw.push_back(0);
        for (int x = 0; x < picture.width; ++x) {
            std::uint32_t p = picture.At(x, y);
            raw.insert(
                raw.end(),
                {static_cast<std::uint8_t>(p >> 16), static_cast<std::uint8_t>(p >> 8), static_cast<std::uint8_t>(p)});
        }
    }
    std::vector<std::uint8_t> png{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    std::vector<std::uint8_t> header;
    PutBig32(header, static_cast<std::uint32_t>(picture.width));
    PutBig32(header, static_cast<std::uint32_t>(picture.height));
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB, deflate, no filter choice, no interlace
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", StoredZlib(raw));
    PutChunk(png, "IEND", {});

    std::string folder = VELMORA_ARTIFACTS;
    CreateDirectoryA(folder.c_str(), nullptr);
    std::FILE* file = std::fopen((folder + "/" + name + ".png").c_str(), "wb");
    if (!file)
        return false;
    bool written = std::fwrite(png.data(), 1, png.size(), file) == png.size();
    return std::fclose(file) == 0 && written;
}

bool SaveWindowPicture(HWND window, const std::string& name)
{
    RECT r{};
    if (!GetWindowRect(window, &r))
        return false;
    // A window just shown may still owe its children their first paint: have it all painted now.
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    GdiFlush();
    return SavePicture(CaptureScreen(r), name);
}

}  // namespace testsupport
