// Objects that can copy themselves from one another and declare extra stored properties.
#include "framework/core/persistent.h"

#include "framework/core/class_info.h"
#include "framework/core/fixups.h"

const TClassInfo& TPersistent::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TPersistent, TObject>("TPersistent").Build();
    return info;
}

TPersistent::~TPersistent() { RemoveFixupsOf(this); }

void TPersistent::Assign(const TPersistent* source)
{
    if (!source)
        AssignError(nullptr);
    source->AssignTo(this);
}

void TPersistent::AssignTo(TPersistent* dest) const { dest->AssignError(this); }

void TPersistent::AssignError(const TPersistent* source) const
{
    std::string sourceName = source ? source->ClassName() : "nil";
    throw EConvertError(SAssignError, {sourceName, ClassName()});
}

void TPersistent::DefineProperties(TFiler&) {}
