// The reader's component records, property entries and reference fix-ups.
#include "framework/core/reader.h"

#include <optional>

#include "framework/core/class_info.h"
#include "framework/core/collection.h"
#include "framework/core/component.h"
#include "framework/core/form_loading.h"
#include "framework/core/int_consts.h"
#include "framework/core/memory_stream.h"
#include "framework/core/stream.h"

TComponent* TStream::ReadComponent(TComponent* root)
{
    TReader reader(*this, 4096);
    return reader.ReadRootComponent(root);
}

bool TReader::Error(const std::string& message)
{
    bool handled = false;
    if (OnError)
        OnError(this, message, handled);
    return handled;
}

const TMethodInfo* TReader::FindMethod(TComponent* root, const std::string& name)
{
    return root->ClassInfo().FindMethod(name);
}

void TReader::SetName(TComponent* component, std::string name)
{
    if (OnSetName)
        OnSetName(this, component, name);
    component->SetName(name);
}

TComponent* TReader::FindAncestorComponent(const std::string& name)
{
    TComponent* found = lookupRoot_ ? lookupRoot_->FindComponent(name) : nullptr;
    if (!found)
        throw EReadError(SAncestorNotFound, {name});
    return found;
}

void TReader::PropertyError(const std::string& name) { throw EReadError(SUnknownProperty, {name}); }

std::string TReader::UniqueRootName(TComponent* root, const std::string& name)
{
    std::string candidate = name;
    for (int n = 1;; ++n) {
        TComponent* holder = FindGlobalComponent(candidate);
        if (!holder || holder == root)
            return candidate;
        candidate = Format("%s_%d", {name, n});
    }
}

TComponent* TReader::ReadRootComponent(TComponent* root)
{
    ReadSignature();
    std::lock_guard guard(GlobalNameSpace());
    TComponent* created = nullptr;
    TComponent* result = root;
    try {
        std::uint8_t flags;
        std::int32_t position;
        ReadPrefix(flags, position);
        if (!root) {
            const TClassInfo& cls = FindClass(ReadStr());
            created = result = cls.CreateInstance(nullptr);
            result->IncludeState({csLoading, csReading});
            result->SetName(ReadStr());
        } else {
            ReadStr();  // the class is the root's own
            root->IncludeState({csLoading, csReading});
            root->SetName(UniqueRootName(root, ReadStr()));
        }
        root_ = lookupRoot_ = result;
        finder_ = std::make_unique<TClassFinder>(&result->ClassInfo(), true);
        loaded_ = GlobalLoadedList();
        if (!loaded_) {
            ownLoaded_ = std::make_unique<std::vector<TComponent*>>();
            loaded_ = ownLoaded_.get();
        }
        if (std::find(loaded_->begin(), loaded_->end(), result) == loaded_->end())
            loaded_->push_back(result);
        owner_ = result;
        result->IncludeState({csLoading, csReading});
        result->ReadState(*this);
        result->ExcludeState(csReading);
        if (ownLoaded_) {
            for (std::size_t i = 0; i < ownLoaded_->size(); ++i)
                (*ownLoaded_)[i]->Loaded();
            ownLoaded_.reset();
            loaded_ = nullptr;
        }
        finder_.reset();
        // A waiting reference of another root that fails now is that root's damage: this read goes on.
        ResolveGlobalFixups([&](const TPropFixup& fixup, const Exception& e) {
            EReadError wrapped = PropertyReadError(fixup.Instance, fixup.Property->Name(), e);
            if (fixup.Root != result)
                ReportLateFixupError(fixup.Root, wrapped);
            else if (!Error(wrapped.Message()))
                throw EReadError(std::move(wrapped));
        });
    } catch (...) {
        RemoveGlobalFixupsOfRoot(result);
        ownLoaded_.reset();
        loaded_ = nullptr;
        finder_.reset();
        delete created;
        throw;
    }
    return result;
}

TComponent* TReader::ReadComponent(TComponent* component)
{
    std::uint8_t flags;
    std::int32_t position;
    ReadPrefix(flags, position);
    std::string className = ReadStr();
    std::string name = ReadStr();
    TComponent* savedParent = parent_;
    TComponent* savedLookupRoot = lookupRoot_;
    struct Restore {
        TReader& r;
        TComponent* parent;
        TComponent* lookupRoot;
        ~Restore()
        {
            r.parent_ = parent;
            r.lookupRoot_ = lookupRoot;
        }
    } restore{*this, savedParent, savedLookupRoot};

    NestingGuard nesting(*this);
    TComponent* result = component;
    TComponent* created = nullptr;
    try {
        if (!result) {
            if (flags & ffInherited) {
                result = FindAncestorComponent(name);
                parent_ = result->GetParentComponent();
                if (!parent_)
                    parent_ = root_;
            } else {
                const TClassInfo& cls = FindComponentClass(className);
                created = result = cls.CreateInstance(owner_);
                if (flags & ffInline)
                    result->IncludeState({csLoading, csInline});
            }
        }
        result->IncludeState(csLoading);
        if (!(flags & ffInherited)) {
            result->SetParentComponent(parent_);
            SetName(result, name);
        }
    } catch (const Exception& e) {
        delete created;
        if (!Error(e.Message()))
            throw;
        SkipComponent(false);  // passed over: the record's properties and children go unread
        return nullptr;
    } catch (...) {
        delete created;
        throw;
    }

    try {
        if (result->HasState(csInline))
            lookupRoot_ = result;
        result->IncludeState(csReading);
        result->ReadState(*this);
        result->ExcludeState(csReading);
        if (flags & ffChildPos)
            parent_->SetChildOrder(result, position);
        bool once = (flags & ffInherited) || result->HasState(csInline);
        if (loaded_ && (!once || std::find(loaded_->begin(), loaded_->end(), result) == loaded_->end()))
            loaded_->push_back(result);
    } catch (...) {
        if (created) {
            if (loaded_)
                loaded_->erase(std::remove(loaded_->begin(), loaded_->end(), created), loaded_->end());
            delete created;
        }
        throw;
    }
    return result;
}

void TReader::ReadData(TComponent* instance)
{
    bool outermost = !fixups_;
    std::optional<TLocalFixupsScope> fixupsScope;
    if (outermost) {
        fixups_ = std::make_unique<std::vector<TPropFixup>>();
        fixupsScope.emplace(*fixups_);
    }
    try {
        while (!EndOfList())
            ReadProperty(instance);
        ReadListEnd();
        TComponent* savedParent = parent_;
        TComponent* savedOwner = owner_;
        parent_ = instance->GetChildParent();
        owner_ = instance->GetChildOwner();
        if (!owner_)
            owner_ = root_;
        try {
            while (!EndOfList())
                ReadComponent(nullptr);
            ReadListEnd();
        } catch (...) {
            parent_ = savedParent;
            owner_ = savedOwner;
            throw;
        }
        parent_ = savedParent;
        owner_ = savedOwner;
        if (outermost)
            FixupReferences();
    } catch (...) {
        if (outermost) {
            fixupsScope.reset();
            fixups_.reset();
        }
        throw;
    }
    if (outermost) {
        fixupsScope.reset();
        fixups_.reset();
    }
}

void TReader::FixupReferences()
{
    for (TPropFixup& fixup : *fixups_) {
        if (!fixup.Instance)
            continue;  // freed during the read
        std::string name = fixup.Name;
        ReferenceName(name);
        TComponent* found = FindNestedComponent(fixup.Root, name);
        RemoveGlobalFixup(fixup.Instance, fixup.Property);
        // A setter may refuse what the name gives (a component of another class, none for a property
        // that must hold an object): the error names the property like any other damaged value.
        try {
            if (found) {
                fixup.Property->SetObject(*fixup.Instance, found);
            } else if (auto dot = name.find('.'); dot != std::string::npos) {
                fixup.RootName = name.substr(0, dot);
                fixup.Name = name.substr(dot + 1);
                AddGlobalFixup(fixup);
            } else {
                fixup.Property->SetObject(*fixup.Instance, nullptr);
            }
        } catch (const Exception& e) {
            EReadError wrapped = PropertyReadError(fixup.Instance, fixup.Property->Name(), e);
            if (!Error(wrapped.Message()))
                throw EReadError(std::move(wrapped));
        }
    }
}

EReadError TReader::PropertyReadError(TPersistent* instance, const std::string& path, const Exception& e)
{
    std::string objectName;
    if (auto* component = dynamic_cast<TComponent*>(instance))
        objectName = component->Name();
    if (objectName.empty() && instance)
        objectName = instance->ClassName();
    return EReadError(SPropertyException, {objectName, ".", path, e.Message()});
}

void TReader::ReadProperty(TPersistent* instance)
{
    std::string path = ReadStr();
    // An error inside a defined property's value may leave the rest of that value unread, so that
    // reading cannot go on after it; the flag is off from there until the error has been judged.
    struct RestoreCanHandle {
        bool& flag;
        bool saved;
        ~RestoreCanHandle() { flag = saved; }
    } restoreCanHandle{canHandleExceptions_, canHandleExceptions_};
    try {
        TPersistent* current = instance;
        std::size_t start = 0;
        for (std::size_t dot; (dot = path.find('.', start)) != std::string::npos; start = dot + 1) {
            std::string name = path.substr(start, dot - start);
            const TPropInfo* prop = current->ClassInfo().FindProperty(name);
            if (!prop) {
                SkipValue();
                PropertyError(name);
            }
            TPersistent* next = nullptr;
            if (prop->Kind() == TTypeKind::Class)
                next = dynamic_cast<TPersistent*>(prop->GetObject(*current));
            if (!next) {
                SkipValue();
                throw EReadError(SInvalidPropertyPath);
            }
            current = next;
        }
        propName_ = path.substr(start);
        if (const TPropInfo* prop = current->ClassInfo().FindProperty(propName_)) {
            ReadPropValue(current, *prop);
        } else {
            propHandled_ = false;
            canHandleExceptions_ = false;
            current->DefineProperties(*this);
            canHandleExceptions_ = restoreCanHandle.saved;
            if (!propHandled_) {
                SkipValue();
                PropertyError(propName_);
            }
        }
    } catch (const Exception& e) {
        EReadError wrapped = PropertyReadError(instance, path, e);
        if (canHandleExceptions_ && Error(wrapped.Message()))
            return;
        throw EReadError(wrapped);
    }
}

void TReader::ReadPropValue(TPersistent* instance, const TPropInfo& prop)
{
    TTypeKind kind = prop.Kind();
    if (!prop.Writable()) {
        auto* sub = kind == TTypeKind::Class ? dynamic_cast<TComponent*>(prop.GetObject(*instance)) : nullptr;
        if (!sub || !sub->ComponentStyle().Contains(csSubComponent))
            throw EReadError(SReadOnlyProperty);
    }
    switch (kind) {
    case TTypeKind::Integer:
        if (NextValue() == vaIdent) {
            std::string ident = ReadIdent();
            std::int32_t value;
            TIdentToInt map = FindIdentToInt(prop.Type());
            if (!map || !map(ident, value))
                PropValueError();
            prop.SetOrd(*instance, value);
        } else {
            prop.SetOrd(*instance, ReadInteger());
        }
        break;
    case TTypeKind::Char: prop.SetOrd(*instance, static_cast<unsigned char>(ReadChar())); break;
    case TTypeKind::Enumeration: {
        int value = prop.Type().EnumValue(ReadIdent());
        if (value < 0)
            PropValueError();  // a value the type does not have would be garbage in a C++ enumeration
        prop.SetOrd(*instance, value);
        break;
    }
    case TTypeKind::Float: prop.SetFloat(*instance, ReadFloat()); break;
    case TTypeKind::String:
    case TTypeKind::LString: prop.SetStr(*instance, ReadString()); break;
    case TTypeKind::WString: prop.SetWStr(*instance, ReadWideString()); break;
    case TTypeKind::Set: prop.SetOrd(*instance, ReadSet(*prop.Type().ElementType)); break;
    case TTypeKind::Int64: prop.SetOrd(*instance, ReadInt64()); break;
    case TTypeKind::Class:
        switch (NextValue()) {
        case vaNil:
            ReadValue();
            prop.SetObject(*instance, nullptr);
            break;
        case vaCollection: {
            ReadValue();
            auto* collection = dynamic_cast<TCollection*>(prop.GetObject(*instance));
            if (!collection)
                PropValueError();
            ReadCollection(collection);
            break;
        }
        default: fixups_->push_back({instance, root_, &prop, {}, ReadIdent()}); break;
        }
        break;
    case TTypeKind::Method:
        if (NextValue() == vaNil) {
            ReadValue();
            prop.SetMethod(*instance, {});
        } else {
            const TMethodInfo* method = FindMethod(root_, ReadIdent());
            if (!method)
                PropValueError();
            prop.SetMethod(*instance, {root_, method->Code, method->Signature});
        }
        break;
    default:
        // Variants and interfaces: no published property of this program holds one.
        SkipValue();
        PropValueError();
    }
}

const TClassInfo& TReader::FindComponentClass(const std::string& className)
{
    auto search = [&](TComponent* root) -> const TClassInfo* {
        if (!root)
            return nullptr;
        if (const TClassInfo* c = root->ClassInfo().FindFieldClass(className))
            return c;
        if (finder_)
            return finder_->GetClass(className);
        return GetClass(className);
    };
    const TClassInfo* found = search(root_);
    if (!found && lookupRoot_ != root_)
        found = search(lookupRoot_);
    if (!found || !found->InheritsFrom(TComponent::StaticClass()))
        throw EClassNotFound(SClassNotFound, {className});
    return *found;
}

void TReader::DefineProperty(const std::string& name, const TReaderProc& read, const TWriterProc&, bool)
{
    if (read && !propHandled_ && SameText(name, propName_)) {
        read(*this);
        propHandled_ = true;
    }
}

void TReader::DefineBinaryProperty(const std::string& name, const TStreamProc& read, const TStreamProc&, bool)
{
    if (!read || propHandled_ || !SameText(name, propName_))
        return;
    if (NextValue() != vaBinary) {
        SkipValue();
        PropValueError();
    }
    ReadValue();
    std::int32_t size = ReadLength();
    TMemoryStream data;
    data.SetSize(size);
    Read(data.Memory(), size);
    data.SetPosition(0);
    read(data);
    propHandled_ = true;
}
