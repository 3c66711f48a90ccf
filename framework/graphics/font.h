// Fonts described by value; equal fonts share one GDI font, made when it is first asked for.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "framework/core/set.h"
#include "framework/core/string_list.h"
#include "framework/core/type_info.h"
#include "framework/graphics/color.h"
#include "framework/graphics/gdi_object_cache.h"
#include "framework/graphics/graphics_object.h"
#include "platform/win32.h"

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;
const TTypeInfo& TypeInfoFor(TFontStyle*);

enum TFontPitch : std::uint8_t { fpDefault, fpVariable, fpFixed };
const TTypeInfo& TypeInfoFor(TFontPitch*);

// A character set number (DEFAULT_CHARSET, SHIFTJIS_CHARSET, ...); form resources may name it.
enum TFontCharset : std::uint8_t {};
const TTypeInfo& TypeInfoFor(TFontCharset*);

// The shared part of a font's value; compared and hashed byte by byte.
struct TFontValue {
    std::int32_t Height;
    std::uint8_t Pitch;
    std::uint8_t Style;
    std::uint8_t Charset;
    std::uint8_t NameLength;
    char Name[31];
    std::uint8_t Reserved;  // always 0: the value has no padding, so equal values have equal bytes
};

class TFont : public TGraphicsObject {
    DECLARE_CLASS(TFont)
public:
    TFont();
    ~TFont() override;

    void Assign(const TPersistent* source) override;

    std::string Name() const;
    void SetName(const std::string& name);  // empty names are ignored; cut to 31 bytes
    int Height() const { return Value().Height; }
    void SetHeight(int height);
    int Size() const;
    void SetSize(int size);
    TFontStyles Style() const { return TFontStyles::FromBits(Value().Style); }
    void SetStyle(TFontStyles style);
    TFontPitch Pitch() const { return static_cast<TFontPitch>(Value().Pitch); }
    void SetPitch(TFontPitch pitch);
    TFontCharset Charset() const { return static_cast<TFontCharset>(Value().Charset); }
    void SetCharset(TFontCharset charset);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    int PixelsPerInch() const { return pixelsPerInch_; }
    void SetPixelsPerInch(int value) { pixelsPerInch_ = value; }

    // The GDI font, made on first request and shared by every font of the same value.
    HFONT Handle() const;
    // Takes the description of `font` as this font's value (the handle itself is not kept).
    void SetHandle(HFONT font);

    // Number of distinct font values alive in the process (for tests of the sharing).
    static int SharedRecordCount();

private:
    const TFontValue& Value() const { return resource_.Data(); }

    TSharedResource<TFontValue> resource_;
    TColor color_;
    int pixelsPerInch_;
};

// The value every new font starts with (depends on the screen and the locale).
const TFontValue& DefaultFontValue();

// The face names of a device's fonts, sorted, each once; null: the screen.
std::unique_ptr<TStringList> DeviceFontNames(HDC dc);
