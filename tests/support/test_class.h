// Test classes that publish nothing of their own: DECLARE_TEST_CLASS(TName, TBase) in place of
// DECLARE_CLASS gives the class its class information, named after it, with no definition elsewhere.
#pragma once

#include "framework/core/class_info.h"

#define DECLARE_TEST_CLASS(Name, Base)                                               \
public:                                                                              \
    static const ::TClassInfo& StaticClass()                                         \
    {                                                                                \
        static const ::TClassInfo info = ::TClassBuilder<Name, Base>(#Name).Build(); \
        return info;                                                                 \
    }                                                                                \
    const ::TClassInfo& ClassInfo() const override { return Name::StaticClass(); }
