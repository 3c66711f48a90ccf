// The root of every framework class.
#include "framework/core/object.h"

#include "framework/core/class_info.h"

const TClassInfo& TObject::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TObject, void>("TObject").Build();
    return info;
}

const std::string& TObject::ClassName() const { return ClassInfo().Name(); }

bool TObject::InheritsFrom(const TClassInfo& cls) const { return ClassInfo().InheritsFrom(cls); }
