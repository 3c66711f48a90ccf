// Events: an object and one of its member functions, called as one. Events compare equal when
// both the object and the function are the same; a default event is empty.
#pragma once

#include <bit>
#include <utility>

#include "framework/core/object.h"

// Identifies a parameter list, so that a method found by name binds only to an event of its shape.
struct TSignature {
    const char* description;
};

template <class... Args>
const TSignature& SignatureOf()
{
    static const TSignature signature{__PRETTY_FUNCTION__};
    return signature;
}

// A method with its parameter list erased, as published methods and event properties exchange it.
// Every pointer to a member function of TObject has the same representation, so the round trip
// through EraseCode and RestoreCode gives back the original.
using TErasedCode = void (TObject::*)();

template <class Code>
TErasedCode EraseCode(Code code)
{
    static_assert(sizeof(Code) == sizeof(TErasedCode));
    return std::bit_cast<TErasedCode>(code);
}

template <class Code>
Code RestoreCode(TErasedCode code)
{
    return std::bit_cast<Code>(code);
}

struct TMethod {
    TObject* Data = nullptr;
    TErasedCode Code = nullptr;
    const TSignature* Signature = nullptr;

    bool Assigned() const { return Code != nullptr; }
    bool operator==(const TMethod& other) const { return Data == other.Data && Code == other.Code; }
};

template <class... Args>
class TEvent {
public:
    using Code = void (TObject::*)(Args...);

    TEvent() = default;
    template <class C>
    TEvent(C* object, void (C::*method)(Args...)) : object_(object), code_(static_cast<Code>(method))
    {}

    explicit operator bool() const { return code_ != nullptr; }
    bool operator==(const TEvent& other) const { return object_ == other.object_ && code_ == other.code_; }

    void operator()(Args... args) const
    {
        if (code_ && object_)
            (object_->*code_)(std::forward<Args>(args)...);
    }

    TObject* Object() const { return object_; }

    TMethod ToMethod() const { return {object_, EraseCode(code_), &SignatureOf<Args...>()}; }
    // False (and the event unchanged) when the method has another parameter list.
    bool AssignMethod(const TMethod& method)
    {
        if (method.Code && method.Signature != &SignatureOf<Args...>())
            return false;
        object_ = method.Code ? method.Data : nullptr;
        code_ = RestoreCode<Code>(method.Code);
        return true;
    }

private:
    TObject* object_ = nullptr;
    Code code_ = nullptr;
};

using TNotifyEvent = TEvent<TObject*>;
