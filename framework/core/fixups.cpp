// Component references of form resources that wait for their target to be loaded.
#include "framework/core/fixups.h"

void RemoveGlobalFixupsOf(const TPersistent*) {}
