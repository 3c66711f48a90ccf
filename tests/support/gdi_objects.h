// How many GDI objects the process holds, for tests that check nothing leaks.
#pragma once

namespace testsupport {

// The system's count of the process's GDI objects (GetGuiResources); 0 where it keeps none.
long GuiResourceCount();
// A number that rises by one with every GDI object the process holds: the system's count where it
// keeps one; else (Wine answers 0) the room left in the handle table, found by filling it, counted
// down.
long GdiObjectsHeld();

}  // namespace testsupport
