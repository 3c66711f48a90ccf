// Fonts described by value; equal fonts share one GDI font, made when it is first asked for.
#include "framework/graphics/font.h"

#include <algorithm>
#include <cstring>

#include "framework/core/class_info.h"
#include "framework/core/double_byte.h"
#include "framework/core/int_consts.h"
#include "framework/graphics/mul_div.h"
#include "framework/graphics/gdi_object_cache.h"
#include "platform/gdi.h"
#include "platform/locale.h"

constexpr TEnumName<TFontStyle> FontStyleNames[] = {
    {fsBold, "fsBold"}, {fsItalic, "fsItalic"}, {fsUnderline, "fsUnderline"}, {fsStrikeOut, "fsStrikeOut"}};

const TTypeInfo& TypeInfoFor(TFontStyle*) { return EnumTypeInfo<FontStyleNames>("TFontStyle"); }

constexpr TEnumName<TFontPitch> FontPitchNames[] = {
    {fpDefault, "fpDefault"}, {fpVariable, "fpVariable"}, {fpFixed, "fpFixed"}};

const TTypeInfo& TypeInfoFor(TFontPitch*) { return EnumTypeInfo<FontPitchNames>("TFontPitch"); }

namespace {

const TIdentMapEntry CharsetNames[] = {
    {0, "ANSI_CHARSET"},          {1, "DEFAULT_CHARSET"},      {2, "SYMBOL_CHARSET"},    {77, "MAC_CHARSET"},
    {128, "SHIFTJIS_CHARSET"},    {129, "HANGEUL_CHARSET"},    {130, "JOHAB_CHARSET"},   {134, "GB2312_CHARSET"},
    {136, "CHINESEBIG5_CHARSET"}, {161, "GREEK_CHARSET"},      {162, "TURKISH_CHARSET"}, {163, "VIETNAMESE_CHARSET"},
    {177, "HEBREW_CHARSET"},      {178, "ARABIC_CHARSET"},     {186, "BALTIC_CHARSET"},  {204, "RUSSIAN_CHARSET"},
    {222, "THAI_CHARSET"},        {238, "EASTEUROPE_CHARSET"}, {255, "OEM_CHARSET"},
};

bool CharsetFromIdent(const std::string& ident, std::int32_t& value) { return IdentToInt(ident, value, CharsetNames); }
bool CharsetToIdent(std::int32_t value, std::string& ident) { return IntToIdent(value, ident, CharsetNames); }

}  // namespace

const TTypeInfo& TypeInfoFor(TFontCharset*)
{
    static const TTypeInfo& info = []() -> const TTypeInfo& {
        static const TTypeInfo made = MakeIntegerTypeInfo("TFontCharset");
        RegisterIntegerConsts(made, CharsetFromIdent, CharsetToIdent);
        return made;
    }();
    return info;
}

namespace {

using FontManager = TResourceManager<TFontValue>;

// Never destroyed: fonts of global objects may outlive every other static.
FontManager& Fonts()
{
    static FontManager* manager = new FontManager;
    return *manager;
}

// Cuts `name` to at most 31 bytes without splitting a double-byte character.
std::string FaceName(const std::string& name) { return name.substr(0, dbcs::CutLength(name, 31)); }

void SetValueName(TFontValue& value, const std::string& name)
{
    std::string face = FaceName(name);
    std::memset(value.Name, 0, sizeof value.Name);
    std::memcpy(value.Name, face.data(), face.size());
    value.NameLength = static_cast<std::uint8_t>(face.size());
}

TFontValue MakeDefaultValue()
{
    TFontValue value;
    std::memset(&value, 0, sizeof value);
    int pixels = ScreenPixelsPerInch();
    value.Height = -MulDivRound(8, pixels, 72);
    value.Pitch = fpDefault;
    value.Charset = DEFAULT_CHARSET;
    SetValueName(value, "MS Sans Serif");
    LOGFONTA gui{};
    if (platform::IsFarEast() &&
        platform::FontDescription(static_cast<HFONT>(platform::StockObject(DEFAULT_GUI_FONT)), gui) &&
        gui.lfCharSet == SHIFTJIS_CHARSET) {
        value.Height = -MulDivRound(9, pixels, 72);
        value.Charset = SHIFTJIS_CHARSET;
        SetValueName(value, "ＭＳ Ｐゴシック");
    }
    return value;
}

HGDIOBJ MakeFont(const TFontValue& value)
{
    LOGFONTA font{};
    font.lfHeight = value.Height;
    font.lfWeight = (value.Style & 1) ? FW_BOLD : FW_NORMAL;
    font.lfItalic = (value.Style & 2) ? 1 : 0;
    font.lfUnderline = (value.Style & 4) ? 1 : 0;
    font.lfStrikeOut = (value.Style & 8) ? 1 : 0;
    font.lfCharSet = value.Charset;
    font.lfPitchAndFamily = value.Pitch == fpVariable ? VARIABLE_PITCH : value.Pitch == fpFixed ? FIXED_PITCH : 0;
    std::string name(value.Name, value.NameLength);
    if (name.size() == 7 && platform::LowerAnsi(name) == "default")
        name = "MS Sans Serif";
    std::memcpy(font.lfFaceName, name.data(), std::min<std::size_t>(name.size(), LF_FACESIZE - 1));
    return platform::CreateFont(font);
}

}  // namespace

const TFontValue& DefaultFontValue()
{
    static const TFontValue value = MakeDefaultValue();
    return value;
}

const TClassInfo& TFont::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TFont, TGraphicsObject>("TFont")
            .Property("Charset", &TFont::Charset, &TFont::SetCharset)
            .Property("Color", &TFont::Color, &TFont::SetColor)
            .Property("Height", &TFont::Height, &TFont::SetHeight)
            .Property("Name", &TFont::Name, &TFont::SetName)
            .Property("Pitch", &TFont::Pitch, &TFont::SetPitch)
            .Property("Size", &TFont::Size, &TFont::SetSize)
            .Property("Style", &TFont::Style, &TFont::SetStyle)
            .Build();
    return info;
}

TFont::TFont() : resource_(Fonts(), DefaultFontValue()), color_(clWindowText), pixelsPerInch_(ScreenPixelsPerInch()) {}

TFont::~TFont() = default;

void TFont::Assign(const TPersistent* source)
{
    auto* font = dynamic_cast<const TFont*>(source);
    if (!font) {
        TGraphicsObject::Assign(source);
        return;
    }
    // The records left go after the change event, which takes the old font out of a canvas.
    TSharedResource<TFontValue>::TLeftRecord shared, scaled;
    bool changed;
    {
        TValueGuard guard(*this);
        shared = resource_.ShareWith(font->resource_);
        changed = shared.Moved() || color_ != font->color_;
        color_ = font->color_;
        if (pixelsPerInch_ != font->pixelsPerInch_) {
            // The point size carries over, not the pixel height.
            TFontValue value = Value();
            value.Height = -MulDivRound(font->Size(), pixelsPerInch_, 72);
            scaled = resource_.Set(value);
            changed |= scaled.Moved();
        }
    }
    if (changed)
        Changed();
}

std::string TFont::Name() const { return std::string(Value().Name, Value().NameLength); }

void TFont::SetName(const std::string& name)
{
    if (!name.empty())
        ChangeValue(resource_, [&](TFontValue& value) { SetValueName(value, name); });
}

void TFont::SetHeight(int height)
{
    ChangeValue(resource_, [&](TFontValue& value) { value.Height = height; });
}

int TFont::Size() const { return -MulDivRound(Height(), 72, pixelsPerInch_); }

void TFont::SetSize(int size) { SetHeight(-MulDivRound(size, pixelsPerInch_, 72)); }

void TFont::SetStyle(TFontStyles style)
{
    ChangeValue(resource_, [&](TFontValue& value) { value.Style = static_cast<std::uint8_t>(style.Bits()); });
}

void TFont::SetPitch(TFontPitch pitch)
{
    ChangeValue(resource_, [&](TFontValue& value) { value.Pitch = pitch; });
}

void TFont::SetCharset(TFontCharset charset)
{
    ChangeValue(resource_, [&](TFontValue& value) { value.Charset = charset; });
}

void TFont::SetColor(TColor color)
{
    if (color == color_)
        return;
    color_ = color;
    Changed();
}

HFONT TFont::Handle() const { return static_cast<HFONT>(resource_.Handle(MakeFont)); }

void TFont::SetHandle(HFONT font)
{
    LOGFONTA description{};
    if (!platform::FontDescription(font, description))
        return;
    ChangeValue(resource_, [&](TFontValue& value) {
        std::memset(&value, 0, sizeof value);
        value.Height = description.lfHeight;
        std::uint8_t style = 0;
        if (description.lfWeight > 699)
            style |= 1;
        if (description.lfItalic)
            style |= 2;
        if (description.lfUnderline)
            style |= 4;
        if (description.lfStrikeOut)
            style |= 8;
        value.Style = style;
        value.Charset = description.lfCharSet;
        std::size_t length = strnlen(description.lfFaceName, LF_FACESIZE);
        SetValueName(value, std::string(description.lfFaceName, length));
        int pitch = description.lfPitchAndFamily & 3;
        value.Pitch = pitch == FIXED_PITCH ? fpFixed : pitch == VARIABLE_PITCH ? fpVariable : fpDefault;
    });
}

int TFont::SharedRecordCount() { return Fonts().RecordCount(); }

std::unique_ptr<TStringList> DeviceFontNames(HDC dc)
{
    auto names = std::make_unique<TStringList>();
    names->SetDuplicates(dupIgnore);
    names->SetSorted(true);
    for (const std::string& name : platform::FontFamilyNames(dc))
        names->Add(name);
    return names;
}
