// Component references of form resources: the ones a read collects until the whole resource is in,
// the global ones that wait for another root to be loaded, and the look-up of components by name
// across roots.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "framework/core/exceptions.h"

class TComponent;
class TPersistent;
class TPropInfo;

// A property of `Instance` that is to point at the component named `Name` (a path of component
// names) within `Root`, or, for a global one, within the root named `RootName`.
struct TPropFixup {
    TPersistent* Instance = nullptr;
    TComponent* Root = nullptr;
    const TPropInfo* Property = nullptr;
    std::string RootName;
    std::string Name;
};

// Follows a path of component names ("Form2.Memo1", "A-B", "A->B") from `root`; a part "Owner" that
// names no component stays where it is. None when a part is missing or the path is empty.
TComponent* FindNestedComponent(TComponent* root, const std::string& path);

// Procedures that find a root component (a form) by name; the most recently registered is asked first.
using TFindGlobalComponent = TComponent* (*)(const std::string& name);
void RegisterFindGlobalComponentProc(TFindGlobalComponent proc);
void UnregisterFindGlobalComponentProc(TFindGlobalComponent proc);
TComponent* FindGlobalComponent(const std::string& name);

// The global list of references waiting for their root.
void AddGlobalFixup(TPropFixup fixup);
// Drops the waiting reference of this instance and property, if any.
void RemoveGlobalFixup(const TPersistent* instance, const TPropInfo* property);
// Drops every waiting reference made by a read into `root`.
void RemoveGlobalFixupsOfRoot(const TComponent* root);
// Forgets every pending reference whose instance is `instance` (it is being destroyed): the global
// ones, and those that reads in progress on this thread hold (their instance becomes none).
void RemoveFixupsOf(const TPersistent* instance);

// Makes the references a read collects known while it lasts, so that RemoveFixupsOf reaches them.
class TLocalFixupsScope {
public:
    explicit TLocalFixupsScope(std::vector<TPropFixup>& list);
    ~TLocalFixupsScope();
    TLocalFixupsScope(const TLocalFixupsScope&) = delete;
    TLocalFixupsScope& operator=(const TLocalFixupsScope&) = delete;

private:
    std::vector<TPropFixup>& list_;
};
int GlobalFixupCount();
// Resolves the references whose root can now be found. A reference whose setter refuses the
// component is dropped and handed to `failed` with the error (which may raise); the others go on.
void ResolveGlobalFixups(const std::function<void(const TPropFixup&, const Exception&)>& failed);

// A waiting reference of `root` that failed while another root's read resolved it: that read goes
// on, and the failure `error` (the reader's error naming the property) is reported here, to the
// handler the control framework sets (its application's report); without one it is dropped.
using TLateFixupErrorHandler = void (*)(TComponent* root);  // called inside a catch block of the error
void SetLateFixupErrorHandler(TLateFixupErrorHandler handler);
void ReportLateFixupError(TComponent* root, const EReadError& error);
