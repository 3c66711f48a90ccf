// Counts the program's heap allocations. Linking alloc_counter.cpp into a test program replaces the
// global operator new and delete with counting ones.
#pragma once

#include <cstddef>

namespace testsupport {

std::size_t LiveAllocations();   // allocations not freed yet
std::size_t TotalAllocations();  // allocations ever made

}  // namespace testsupport
