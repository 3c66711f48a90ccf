// Class information: look-ups through a class and its ancestors.
#include "framework/core/class_info.h"

void TPropInfo::WrongKind() const { throw EInvalidCast(SInvalidPropertyValue); }

std::int64_t TPropInfo::GetOrd(const TObject&) const { WrongKind(); }
void TPropInfo::SetOrd(TObject&, std::int64_t) const { WrongKind(); }
long double TPropInfo::GetFloat(const TObject&) const { WrongKind(); }
void TPropInfo::SetFloat(TObject&, long double) const { WrongKind(); }
std::string TPropInfo::GetStr(const TObject&) const { WrongKind(); }
void TPropInfo::SetStr(TObject&, const std::string&) const { WrongKind(); }
std::wstring TPropInfo::GetWStr(const TObject&) const { WrongKind(); }
void TPropInfo::SetWStr(TObject&, const std::wstring&) const { WrongKind(); }
TObject* TPropInfo::GetObject(const TObject&) const { WrongKind(); }
void TPropInfo::SetObject(TObject&, TObject*) const { WrongKind(); }
TMethod TPropInfo::GetMethod(const TObject&) const { WrongKind(); }
void TPropInfo::SetMethod(TObject&, const TMethod&) const { WrongKind(); }

bool TClassInfo::InheritsFrom(const TClassInfo& other) const
{
    for (const TClassInfo* c = this; c; c = c->parent_)
        if (c == &other)
            return true;
    return false;
}

TComponent* TClassInfo::CreateInstance(TComponent* owner) const
{
    if (!factory_)
        throw EAbstractError(SAbstractError);  // an abstract class, or not a component
    return factory_(owner);
}

const TPropInfo* TClassInfo::FindProperty(std::string_view name) const
{
    for (const TClassInfo* c = this; c; c = c->parent_)
        for (const auto& p : c->properties_)
            if (SameIdent(p->Name(), name))
                return p.get();
    return nullptr;
}

const TFieldInfo* TClassInfo::FindField(std::string_view name) const
{
    for (const TClassInfo* c = this; c; c = c->parent_)
        for (const auto& f : c->fields_)
            if (SameIdent(f->Name(), name))
                return f.get();
    return nullptr;
}

const TMethodInfo* TClassInfo::FindMethod(std::string_view name) const
{
    for (const TClassInfo* c = this; c; c = c->parent_)
        for (const auto& m : c->methods_)
            if (SameIdent(m.Name, name))
                return &m;
    return nullptr;
}

const TMethodInfo* TClassInfo::FindMethod(const TMethod& method) const
{
    for (const TClassInfo* c = this; c; c = c->parent_)
        for (const auto& m : c->methods_)
            if (m.Code == method.Code)
                return &m;
    return nullptr;
}

const TClassInfo* TClassInfo::FindFieldClass(std::string_view className) const
{
    for (const TClassInfo* c = this; c; c = c->parent_)
        for (const auto& f : c->fields_)
            if (SameIdent(f->FieldClass().Name(), className))
                return &f->FieldClass();
    return nullptr;
}
