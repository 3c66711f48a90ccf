// Objects that can copy themselves from one another and declare extra stored properties.
#pragma once

#include "framework/core/object.h"

class TFiler;

class TPersistent : public TObject {
    DECLARE_CLASS(TPersistent)
public:
    ~TPersistent() override;

    // Copies `source` into this object; the base asks the source to assign itself to this one.
    virtual void Assign(const TPersistent* source);
    // Declares stored properties that are not published ones (the form reader asks for them).
    virtual void DefineProperties(TFiler& filer);
    virtual TPersistent* GetOwner() const { return nullptr; }

protected:
    // Copies this object into `dest`; the base cannot and raises the assignment error.
    virtual void AssignTo(TPersistent* dest) const;
    // EConvertError "%s を %s に代入することはできません": source's class (or "nil"), then this class.
    [[noreturn]] void AssignError(const TPersistent* source) const;
};
