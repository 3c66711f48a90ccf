// The root of every framework class: its class information, and dispatch of messages by number.
#pragma once

#include <cstdint>
#include <string>

class TClassInfo;

// A message as the framework passes it to a handler; Result is what the window procedure returns.
struct TMessage {
    std::uint32_t Msg = 0;
    std::uintptr_t WParam = 0;
    std::intptr_t LParam = 0;
    std::intptr_t Result = 0;
};

// Put first in the body of every framework class: gives it its own class information (defined in
// its source file as TName::StaticClass) and reports it for its instances.
#define DECLARE_CLASS(Name)                   \
public:                                       \
    static const ::TClassInfo& StaticClass(); \
    const ::TClassInfo& ClassInfo() const override { return Name::StaticClass(); }

class TObject {
public:
    virtual ~TObject() = default;

    static const TClassInfo& StaticClass();
    virtual const TClassInfo& ClassInfo() const { return StaticClass(); }
    const std::string& ClassName() const;
    bool InheritsFrom(const TClassInfo& cls) const;

    // Message dispatch: a class handles the message numbers it knows and hands every other one to
    // its base class's Dispatch; a handler's inherited behaviour is the base class's Dispatch too.
    // What no class takes reaches DefaultHandler.
    virtual void Dispatch(TMessage& message) { DefaultHandler(message); }
    virtual void DefaultHandler(TMessage&) {}
};
