// Colours: an RGB value (red in the low byte) or 0x80000000 plus a system colour index.
#pragma once

#include <cstdint>

#include "framework/core/type_info.h"

enum TColor : std::int32_t {};

constexpr TColor SystemColorOf(int index)
{
    return static_cast<TColor>(static_cast<std::int32_t>(0x80000000u | static_cast<std::uint32_t>(index)));
}

constexpr TColor clBlack = TColor(0x000000);
constexpr TColor clMaroon = TColor(0x000080);
constexpr TColor clGreen = TColor(0x008000);
constexpr TColor clNavy = TColor(0x800000);
constexpr TColor clGray = TColor(0x808080);
constexpr TColor clSilver = TColor(0xC0C0C0);
constexpr TColor clRed = TColor(0x0000FF);
constexpr TColor clLime = TColor(0x00FF00);
constexpr TColor clYellow = TColor(0x00FFFF);
constexpr TColor clBlue = TColor(0xFF0000);
constexpr TColor clWhite = TColor(0xFFFFFF);
constexpr TColor clNone = TColor(0x1FFFFFFF);
constexpr TColor clDefault = TColor(0x20000000);

constexpr TColor clScrollBar = SystemColorOf(0);
constexpr TColor clBackground = SystemColorOf(1);
constexpr TColor clActiveCaption = SystemColorOf(2);
constexpr TColor clMenu = SystemColorOf(4);
constexpr TColor clWindow = SystemColorOf(5);
constexpr TColor clWindowFrame = SystemColorOf(6);
constexpr TColor clMenuText = SystemColorOf(7);
constexpr TColor clWindowText = SystemColorOf(8);
constexpr TColor clCaptionText = SystemColorOf(9);
constexpr TColor clHighlight = SystemColorOf(13);
constexpr TColor clHighlightText = SystemColorOf(14);
constexpr TColor clBtnFace = SystemColorOf(15);
constexpr TColor clBtnShadow = SystemColorOf(16);
constexpr TColor clGrayText = SystemColorOf(17);
constexpr TColor clBtnText = SystemColorOf(18);
constexpr TColor clBtnHighlight = SystemColorOf(20);
constexpr TColor clInfoText = SystemColorOf(23);
constexpr TColor clInfoBk = SystemColorOf(24);

// The RGB value GDI takes: a system colour is looked up (GetSysColor of the low byte).
std::uint32_t ColorToRGB(TColor color);

const TTypeInfo& TypeInfoFor(TColor*);
