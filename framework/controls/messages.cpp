// Shift states of key and mouse messages, and the type information of the input enumerations.
#include "framework/controls/messages.h"

#include "platform/input.h"
#include "platform/win32.h"

constexpr TEnumName<TShiftStateElement> ShiftStateElementNames[] = {
    {ssShift, "ssShift"}, {ssAlt, "ssAlt"},       {ssCtrl, "ssCtrl"},    {ssLeft, "ssLeft"},
    {ssRight, "ssRight"}, {ssMiddle, "ssMiddle"}, {ssDouble, "ssDouble"}};

const TTypeInfo& TypeInfoFor(TShiftStateElement*) { return EnumTypeInfo<ShiftStateElementNames>("TShiftStateElement"); }

constexpr TEnumName<TMouseButton> MouseButtonNames[] = {
    {mbLeft, "mbLeft"}, {mbRight, "mbRight"}, {mbMiddle, "mbMiddle"}};

const TTypeInfo& TypeInfoFor(TMouseButton*) { return EnumTypeInfo<MouseButtonNames>("TMouseButton"); }

TShiftState KeysToShiftState(std::uintptr_t keys)
{
    TShiftState state;
    if (keys & MK_SHIFT)
        state.Include(ssShift);
    if (keys & MK_CONTROL)
        state.Include(ssCtrl);
    if (keys & MK_LBUTTON)
        state.Include(ssLeft);
    if (keys & MK_RBUTTON)
        state.Include(ssRight);
    if (keys & MK_MBUTTON)
        state.Include(ssMiddle);
    if (platform::KeyIsDown(VK_MENU))
        state.Include(ssAlt);
    return state;
}

TShiftState KeyDataToShiftState(std::intptr_t keyData)
{
    TShiftState state;
    if (platform::KeyIsDown(VK_SHIFT))
        state.Include(ssShift);
    if (platform::KeyIsDown(VK_CONTROL))
        state.Include(ssCtrl);
    if (keyData & 0x20000000)
        state.Include(ssAlt);
    return state;
}
