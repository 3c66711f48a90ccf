// A read-only stream over a resource of a module, read in place without copying.
#include "framework/core/resource_stream.h"

#include "framework/core/class_info.h"
#include "framework/core/exceptions.h"

const TClassInfo& TResourceStream::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TResourceStream, TCustomMemoryStream>("TResourceStream").Build();
    return info;
}

TResourceStream::TResourceStream(HINSTANCE instance, const std::string& name, const char* type)
    : resource_(platform::LoadResourceData(instance, name.c_str(), type))
{
    if (!resource_.data) {
        platform::FreeResourceData(resource_);
        throw EResNotFound(SResNotFound, {name});
    }
    SetPointer(const_cast<void*>(resource_.data), static_cast<std::int32_t>(resource_.size));
}

TResourceStream::~TResourceStream() { platform::FreeResourceData(resource_); }

std::int32_t TResourceStream::Write(const void*, std::int32_t) { throw EStreamError(SCantWriteResourceStream); }
