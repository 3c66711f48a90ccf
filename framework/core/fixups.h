// Component references of form resources that wait for their target to be loaded.
#pragma once

class TPersistent;

// Forgets every pending reference whose instance is `instance` (it is being destroyed).
void RemoveGlobalFixupsOf(const TPersistent* instance);
