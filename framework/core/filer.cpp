// The interface through which persistent objects declare stored properties.
#include "framework/core/filer.h"

#include "framework/core/class_info.h"

const TClassInfo& TFiler::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TFiler, TObject>("TFiler").Build();
    return info;
}
