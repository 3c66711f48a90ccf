// Class information: for every framework class its name, its parent class, a constructor taking an
// owner (component classes), and its published properties, fields and methods. A class describes
// itself once in its StaticClass(), one line per published member, through TClassBuilder:
//
//   const TClassInfo& TMemo::StaticClass()
//   {
//       static const TClassInfo info = TClassBuilder<TMemo, TCustomEdit>("TMemo")
//           .Property("Lines", &TMemo::Lines, &TMemo::SetLines)
//           .Property("WordWrap", &TMemo::WordWrap, &TMemo::SetWordWrap)
//           .Property("OnKeyUp", &TMemo::OnKeyUp)          // an event member: read and written directly
//           .Build();
//       return info;
//   }
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "framework/core/exceptions.h"
#include "framework/core/object.h"
#include "framework/core/type_info.h"

class TComponent;
// Defined with TComponent: makes a component and runs its after-construction step.
template <class T, class... A>
T* CreateComponent(A&&... args);

// A published property: its name, its type, and access to its value by kind. Asking a property for
// a kind it does not hold raises EInvalidCast.
class TPropInfo {
public:
    TPropInfo(std::string name, const TTypeInfo& type, bool writable)
        : name_(std::move(name)), type_(type), writable_(writable)
    {}
    virtual ~TPropInfo() = default;

    const std::string& Name() const { return name_; }
    const TTypeInfo& Type() const { return type_; }
    TTypeKind Kind() const { return type_.Kind; }
    bool Writable() const { return writable_; }

    // Integer, Char, Enumeration, Set (the bits) and Int64.
    virtual std::int64_t GetOrd(const TObject& instance) const;
    virtual void SetOrd(TObject& instance, std::int64_t value) const;
    virtual long double GetFloat(const TObject& instance) const;
    virtual void SetFloat(TObject& instance, long double value) const;
    virtual std::string GetStr(const TObject& instance) const;
    virtual void SetStr(TObject& instance, const std::string& value) const;
    virtual std::wstring GetWStr(const TObject& instance) const;
    virtual void SetWStr(TObject& instance, const std::wstring& value) const;
    virtual TObject* GetObject(const TObject& instance) const;
    // Raises EInvalidCast when `value` is not of the property's class.
    virtual void SetObject(TObject& instance, TObject* value) const;
    virtual TMethod GetMethod(const TObject& instance) const;
    // Raises EInvalidCast when the method's parameter list is not the event's.
    virtual void SetMethod(TObject& instance, const TMethod& value) const;

protected:
    [[noreturn]] void WrongKind() const;

private:
    std::string name_;
    const TTypeInfo& type_;
    bool writable_;
};

// A published field: a member of the owner's class that points to the owned component of its name.
class TFieldInfo {
public:
    TFieldInfo(std::string name, const TClassInfo& fieldClass) : name_(std::move(name)), fieldClass_(fieldClass) {}
    virtual ~TFieldInfo() = default;

    const std::string& Name() const { return name_; }
    const TClassInfo& FieldClass() const { return fieldClass_; }
    // Points the field of `owner` to `component` (none when it is not of the field's class).
    virtual void Bind(TObject& owner, TComponent* component) const = 0;
    virtual TComponent* Get(const TObject& owner) const = 0;

private:
    std::string name_;
    const TClassInfo& fieldClass_;
};

// A published method, which an event can be bound to by name.
struct TMethodInfo {
    std::string Name;
    TErasedCode Code;
    const TSignature* Signature;
};

class TClassInfo {
public:
    using Factory = TComponent* (*)(TComponent* owner);

    TClassInfo(std::string name, const TClassInfo* parent) : name_(std::move(name)), parent_(parent) {}
    TClassInfo(TClassInfo&&) = default;

    const std::string& Name() const { return name_; }
    const TClassInfo* Parent() const { return parent_; }
    bool InheritsFrom(const TClassInfo& other) const;

    // The virtual constructor: null for classes that are not concrete components.
    Factory Constructor() const { return factory_; }
    TComponent* CreateInstance(TComponent* owner) const;

    // Look-ups go through this class and then its ancestors; names compare as SameIdent.
    const TPropInfo* FindProperty(std::string_view name) const;
    const TFieldInfo* FindField(std::string_view name) const;
    const TMethodInfo* FindMethod(std::string_view name) const;
    const TMethodInfo* FindMethod(const TMethod& method) const;
    // The class of a published field declared by this class or an ancestor, by class name.
    const TClassInfo* FindFieldClass(std::string_view className) const;

    const std::vector<std::unique_ptr<TPropInfo>>& OwnProperties() const { return properties_; }
    const std::vector<std::unique_ptr<TFieldInfo>>& OwnFields() const { return fields_; }
    const std::vector<TMethodInfo>& OwnMethods() const { return methods_; }

private:
    template <class C, class Base>
    friend class TClassBuilder;

    std::string name_;
    const TClassInfo* parent_;
    Factory factory_ = nullptr;
    std::vector<std::unique_ptr<TPropInfo>> properties_;
    std::vector<std::unique_ptr<TFieldInfo>> fields_;
    std::vector<TMethodInfo> methods_;
};

namespace classinfo_detail {

template <class T>
constexpr bool IsOrdinal = std::is_integral_v<T> || std::is_enum_v<T> || TIsSet<T>::value;

template <class T>
std::int64_t ToOrd(const T& value)
{
    if constexpr (TIsSet<T>::value)
        return value.Bits();
    else if constexpr (std::is_same_v<T, char>)
        return static_cast<unsigned char>(value);
    else
        return static_cast<std::int64_t>(value);
}

template <class T>
T FromOrd(std::int64_t value)
{
    if constexpr (TIsSet<T>::value)
        return T::FromBits(static_cast<std::uint32_t>(value));
    else if constexpr (std::is_same_v<T, bool>)
        return value != 0;
    else if constexpr (std::is_enum_v<T>)
        return static_cast<T>(static_cast<std::underlying_type_t<T>>(value));
    else
        return static_cast<T>(value);
}

// A property of class C holding a V, read through G and written through S (member functions or a
// data member; S is std::nullptr_t for a read-only property).
template <class C, class V, class G, class S>
class TTypedPropInfo final : public TPropInfo {
public:
    TTypedPropInfo(std::string name, G getter, S setter)
        : TPropInfo(std::move(name), TypeInfoOf<V>(), !std::is_null_pointer_v<S>), getter_(getter), setter_(setter)
    {}

    std::int64_t GetOrd(const TObject& instance) const override
    {
        if constexpr (IsOrdinal<V>)
            return ToOrd(Get(instance));
        else
            WrongKind();
    }
    void SetOrd(TObject& instance, std::int64_t value) const override
    {
        if constexpr (IsOrdinal<V>)
            Set(instance, FromOrd<V>(value));
        else
            WrongKind();
    }
    long double GetFloat(const TObject& instance) const override
    {
        if constexpr (std::is_floating_point_v<V>)
            return Get(instance);
        else
            WrongKind();
    }
    void SetFloat(TObject& instance, long double value) const override
    {
        if constexpr (std::is_floating_point_v<V>)
            Set(instance, static_cast<V>(value));
        else
            WrongKind();
    }
    std::string GetStr(const TObject& instance) const override
    {
        if constexpr (std::is_same_v<V, std::string>)
            return Get(instance);
        else
            WrongKind();
    }
    void SetStr(TObject& instance, const std::string& value) const override
    {
        if constexpr (std::is_same_v<V, std::string>)
            Set(instance, value);
        else
            WrongKind();
    }
    std::wstring GetWStr(const TObject& instance) const override
    {
        if constexpr (std::is_same_v<V, std::wstring>)
            return Get(instance);
        else
            WrongKind();
    }
    void SetWStr(TObject& instance, const std::wstring& value) const override
    {
        if constexpr (std::is_same_v<V, std::wstring>)
            Set(instance, value);
        else
            WrongKind();
    }
    TObject* GetObject(const TObject& instance) const override
    {
        if constexpr (std::is_pointer_v<V>)
            return Get(instance);
        else
            WrongKind();
    }
    void SetObject(TObject& instance, TObject* value) const override
    {
        if constexpr (std::is_pointer_v<V>) {
            auto* typed = dynamic_cast<V>(value);
            if (value && !typed)
                throw EInvalidCast(SInvalidPropertyValue);
            Set(instance, typed);
        } else {
            WrongKind();
        }
    }
    TMethod GetMethod(const TObject& instance) const override
    {
        if constexpr (TIsEvent<V>::value)
            return Get(instance).ToMethod();
        else
            WrongKind();
    }
    void SetMethod(TObject& instance, const TMethod& value) const override
    {
        if constexpr (TIsEvent<V>::value) {
            V event;
            if (!event.AssignMethod(value))
                throw EInvalidCast(SInvalidPropertyValue);
            Set(instance, event);
        } else {
            WrongKind();
        }
    }

private:
    V Get(const TObject& instance) const { return std::invoke(getter_, static_cast<const C&>(instance)); }
    void Set(TObject& instance, V value) const
    {
        if constexpr (std::is_null_pointer_v<S>)
            WrongKind();
        else if constexpr (std::is_member_object_pointer_v<S>)
            static_cast<C&>(instance).*setter_ = std::move(value);
        else
            std::invoke(setter_, static_cast<C&>(instance), std::move(value));
    }

    G getter_;
    S setter_;
};

template <class C, class T>
class TTypedFieldInfo final : public TFieldInfo {
public:
    TTypedFieldInfo(std::string name, T* C::*member) : TFieldInfo(std::move(name), T::StaticClass()), member_(member) {}

    void Bind(TObject& owner, TComponent* component) const override
    {
        static_cast<C&>(owner).*member_ = dynamic_cast<T*>(component);
    }
    TComponent* Get(const TObject& owner) const override { return static_cast<const C&>(owner).*member_; }

private:
    T* C::*member_;
};

}  // namespace classinfo_detail

template <class C>
const TTypeInfo& typeinfo_detail::ClassTypeInfo()
{
    static const TTypeInfo info = [] {
        TTypeInfo t;
        t.Kind = TTypeKind::Class;
        t.ClassOf = &C::StaticClass;
        return t;
    }();
    return info;
}

// Builds the class information of C, whose parent class is Base (void for TObject itself).
template <class C, class Base>
class TClassBuilder {
public:
    explicit TClassBuilder(const char* name) : info_(name, ParentInfo())
    {
        if constexpr (std::is_base_of_v<TComponent, C> && !std::is_abstract_v<C>) {
            if constexpr (std::is_constructible_v<C, TComponent*>)
                info_.factory_ = [](TComponent* owner) -> TComponent* { return CreateComponent<C>(owner); };
        }
    }

    // A property read by `getter` and written by `setter` (member functions, or nullptr: read-only).
    template <class G, class S>
    TClassBuilder& Property(const char* name, G getter, S setter)
    {
        using V = std::decay_t<std::invoke_result_t<G, const C&>>;
        info_.properties_.push_back(
            std::make_unique<classinfo_detail::TTypedPropInfo<C, V, G, S>>(name, getter, setter));
        return *this;
    }
    // A property that is a data member, read and written directly (events, mostly).
    template <class V, class Owner>
    TClassBuilder& Property(const char* name, V Owner::*member)
    {
        static_assert(!std::is_function_v<V>, "a read-only property takes nullptr as its setter");
        using M = V Owner::*;
        info_.properties_.push_back(
            std::make_unique<classinfo_detail::TTypedPropInfo<C, V, M, M>>(name, member, member));
        return *this;
    }
    template <class T, class Owner>
    TClassBuilder& Field(const char* name, T* Owner::*member)
    {
        info_.fields_.push_back(std::make_unique<classinfo_detail::TTypedFieldInfo<Owner, T>>(name, member));
        return *this;
    }
    template <class... A>
    TClassBuilder& Method(const char* name, void (C::*method)(A...))
    {
        using Code = void (TObject::*)(A...);
        info_.methods_.push_back({name, EraseCode(static_cast<Code>(method)), &SignatureOf<A...>()});
        return *this;
    }

    TClassInfo Build() { return std::move(info_); }

private:
    static const TClassInfo* ParentInfo()
    {
        if constexpr (std::is_void_v<Base>)
            return nullptr;
        else
            return &Base::StaticClass();
    }

    TClassInfo info_;
};
