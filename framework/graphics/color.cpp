// Colours: conversion for GDI and their type information.
#include "framework/graphics/color.h"

#include "framework/core/int_consts.h"
#include "platform/screen.h"

namespace {

constexpr std::int32_t Sys(int index) { return static_cast<std::int32_t>(0x80000000u | static_cast<unsigned>(index)); }

// clang-format off: a table, four to a line
const TIdentMapEntry ColorNames[] = {
    {0x000000, "clBlack"},
    {0x000080, "clMaroon"},
    {0x008000, "clGreen"},
    {0x008080, "clOlive"},
    {0x800000, "clNavy"},
    {0x800080, "clPurple"},
    {0x808000, "clTeal"},
    {0x808080, "clGray"},
    {0xC0C0C0, "clSilver"},
    {0x0000FF, "clRed"},
    {0x00FF00, "clLime"},
    {0x00FFFF, "clYellow"},
    {0xFF0000, "clBlue"},
    {0xFF00FF, "clFuchsia"},
    {0xFFFF00, "clAqua"},
    {0xFFFFFF, "clWhite"},
    {0xC0DCC0, "clMoneyGreen"},
    {0xF0CAA6, "clSkyBlue"},
    {0xF0FBFF, "clCream"},
    {0xA4A0A0, "clMedGray"},
    {Sys(0), "clScrollBar"},
    {Sys(1), "clBackground"},
    {Sys(2), "clActiveCaption"},
    {Sys(3), "clInactiveCaption"},
    {Sys(4), "clMenu"},
    {Sys(5), "clWindow"},
    {Sys(6), "clWindowFrame"},
    {Sys(7), "clMenuText"},
    {Sys(8), "clWindowText"},
    {Sys(9), "clCaptionText"},
    {Sys(10), "clActiveBorder"},
    {Sys(11), "clInactiveBorder"},
    {Sys(12), "clAppWorkSpace"},
    {Sys(13), "clHighlight"},
    {Sys(14), "clHighlightText"},
    {Sys(15), "clBtnFace"},
    {Sys(16), "clBtnShadow"},
    {Sys(17), "clGrayText"},
    {Sys(18), "clBtnText"},
    {Sys(19), "clInactiveCaptionText"},
    {Sys(20), "clBtnHighlight"},
    {Sys(21), "cl3DDkShadow"},
    {Sys(22), "cl3DLight"},
    {Sys(23), "clInfoText"},
    {Sys(24), "clInfoBk"},
    {Sys(26), "clHotLight"},
    {Sys(27), "clGradientActiveCaption"},
    {Sys(28), "clGradientInactiveCaption"},
    {Sys(29), "clMenuHighlight"},
    {Sys(30), "clMenuBar"},
    {0x1FFFFFFF, "clNone"},
    {0x20000000, "clDefault"},
};
// clang-format on

bool ColorFromIdent(const std::string& ident, std::int32_t& value) { return IdentToInt(ident, value, ColorNames); }
bool ColorToIdent(std::int32_t value, std::string& ident) { return IntToIdent(value, ident, ColorNames); }

}  // namespace

std::uint32_t ColorToRGB(TColor color)
{
    if (color < 0)
        return platform::SystemColor(color & 0xFF);
    return static_cast<std::uint32_t>(color);
}

const TTypeInfo& TypeInfoFor(TColor*)
{
    // Made on first use, with its identifier map, so that a form resource may name colours.
    static const TTypeInfo& info = []() -> const TTypeInfo& {
        static const TTypeInfo made = MakeIntegerTypeInfo("TColor");
        RegisterIntegerConsts(made, ColorFromIdent, ColorToIdent);
        return made;
    }();
    return info;
}
