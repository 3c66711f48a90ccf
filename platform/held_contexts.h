// The device contexts the program holds, so that a GDI object still selected into one of them is
// never deleted: Windows refuses such a delete (and the object leaks), Wine carries it out later.
#pragma once

#include "platform/win32.h"

namespace platform::held {

// `dc` is the program's from now on (it got it, made it, or selected an object into it).
void Hold(HDC dc);
// `dc` was released or deleted.
void LetGo(HDC dc);
// A held device context that `object` (not a stock object) is selected into; null when none.
HDC HolderOf(HGDIOBJ object);

}  // namespace platform::held
