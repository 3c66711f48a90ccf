// Finding a form's resources and reading them into the form, ancestors' first, with the loaded
// notifications held back until every resource of the form is in.
#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "platform/win32.h"

class TClassInfo;
class TComponent;

// Held while a root is read or a form's resources are set up.
std::recursive_mutex& GlobalNameSpace();

// Reads the resources of `instance`'s class and of its ancestors below `rootAncestor` into it;
// false when none of them has a resource.
bool InitInheritedComponent(TComponent* instance, const TClassInfo& rootAncestor);
// The module whose resources the forms are read from: the main module unless another one was set
// (a program whose forms live in a resource-only module; a check that reads another program's forms).
HMODULE FormResourceModule();
void SetFormResourceModule(HMODULE module);  // null: the main module again

// Reads the RT_RCDATA resource `name` of `module` (the form resource module when null) into
// `instance`; false when there is no such resource.
bool ReadComponentRes(const std::string& name, HMODULE module, TComponent* instance);

// Per-thread global loading: while it lasts, readers collect the components they load into one list
// and their loaded notifications wait for NotifyGlobalLoading.
void BeginGlobalLoading();
void NotifyGlobalLoading();
void EndGlobalLoading();
std::vector<TComponent*>* GlobalLoadedList();  // none outside global loading
