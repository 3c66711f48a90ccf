// Colours: conversion for GDI and their type information.
#include "framework/graphics/color.h"

#include "platform/screen.h"

std::uint32_t ColorToRGB(TColor color)
{
    if (color < 0)
        return platform::SystemColor(color & 0xFF);
    return static_cast<std::uint32_t>(color);
}

const TTypeInfo& TypeInfoFor(TColor*)
{
    static const TTypeInfo info = MakeIntegerTypeInfo("TColor");
    return info;
}
