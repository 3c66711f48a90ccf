// Reads a binary form resource ("TPF0" and one component record) into a tree of components: creates
// them by class name, sets their published properties by name, binds events to the root's published
// methods, resolves references once the whole resource is in, and tells every component it is loaded.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/class_registry.h"
#include "framework/core/event.h"
#include "framework/core/filer.h"
#include "framework/core/fixups.h"
#include "framework/core/value_types.h"

class TCollection;
class TComponent;
class TPersistent;
class TPropInfo;
struct TTypeInfo;
struct TMethodInfo;

class TReader : public TFiler {
    DECLARE_CLASS(TReader)
public:
    TReader(TStream& stream, int bufferSize);
    // Moves the stream back by the bytes read ahead, so that it stands just after the last one used.
    ~TReader() override;

    // Reads the root record into `root` (or into a new instance of its class when none is given).
    TComponent* ReadRootComponent(TComponent* root);
    // Reads one component record, creating the component (owned by the reader's owner).
    TComponent* ReadComponent(TComponent* component);
    // Reads a component's property entries and child records (its read-state operation calls this).
    void ReadData(TComponent* instance);
    void ReadProperty(TPersistent* instance);

    // Values.
    TValueType ReadValue();
    TValueType NextValue();
    bool EndOfList();
    void ReadListBegin();
    void ReadListEnd();
    std::int32_t ReadInteger();
    std::int64_t ReadInt64();
    long double ReadFloat();
    float ReadSingle();
    long double ReadCurrency();
    double ReadDate();
    std::string ReadString();
    std::wstring ReadWideString();
    std::string ReadIdent();
    bool ReadBoolean();
    char ReadChar();
    // The bits of the named elements of a set of `elementType` (names that match nothing are ignored).
    std::uint32_t ReadSet(const TTypeInfo& elementType);
    void ReadCollection(TCollection* collection);
    std::string ReadStr();  // a short string: length byte and bytes
    void ReadSignature();
    void ReadPrefix(std::uint8_t& flags, std::int32_t& childPosition);
    void SkipValue();

    // Reads exactly `count` bytes, or raises EReadError "ストリームからの読み込みエラー".
    void Read(void* buffer, std::int32_t count);
    std::int64_t Position() const;

    void DefineProperty(const std::string& name, const TReaderProc& read, const TWriterProc& write,
                        bool hasData) override;
    void DefineBinaryProperty(
        const std::string& name, const TStreamProc& read, const TStreamProc& write, bool hasData) override;

    TComponent* Root() const { return root_; }
    TComponent* LookupRoot() const { return lookupRoot_; }
    TComponent* Owner() const { return owner_; }
    void SetOwner(TComponent* owner) { owner_ = owner; }
    TComponent* Parent() const { return parent_; }
    void SetParent(TComponent* parent) { parent_ = parent; }

    // Optional hooks; none is set in the program itself.
    TEvent<TReader*, const std::string&, bool&> OnError;
    TEvent<TReader*, TComponent*, std::string&> OnSetName;

protected:
    // Whether an error may be passed over; false unless OnError says so.
    virtual bool Error(const std::string& message);
    virtual const TMethodInfo* FindMethod(TComponent* root, const std::string& name);
    virtual void SetName(TComponent* component, std::string name);
    virtual void ReferenceName(std::string& name) { (void)name; }
    virtual TComponent* FindAncestorComponent(const std::string& name);

private:
    // Counts one level of nesting of values or records and refuses a resource nested too deep for
    // the stack, as only a damaged one is.
    struct NestingGuard {
        explicit NestingGuard(TReader& reader);
        ~NestingGuard() { --reader_.nesting_; }
        NestingGuard(const NestingGuard&) = delete;
        NestingGuard& operator=(const NestingGuard&) = delete;

    private:
        TReader& reader_;
    };

    void ReadBuffer();
    void SkipBytes(std::int64_t count);
    std::int64_t BytesLeft() const;
    std::int32_t ReadLength();
    std::string ReadBytes(std::int32_t count);
    std::wstring ReadWideChars();  // a count of UTF-16 units, then the units
    void SkipSetBody();
    void SkipProperty();
    void SkipComponent(bool skipHeader);
    void PropertyError(const std::string& name);
    // The reader's error for a property `path` of `instance` whose value failed with `e`.
    static EReadError PropertyReadError(TPersistent* instance, const std::string& path, const Exception& e);
    [[noreturn]] void PropValueError();
    [[noreturn]] void ReadError();
    void ReadPropValue(TPersistent* instance, const TPropInfo& property);
    const TClassInfo& FindComponentClass(const std::string& className);
    void FixupReferences();
    std::string UniqueRootName(TComponent* root, const std::string& name);

    TStream& stream_;
    std::vector<char> buffer_;
    std::int32_t bufferPos_ = 0;
    std::int32_t bufferEnd_ = 0;
    std::int64_t streamLeft_ = -1;  // bytes of the stream after what the buffer holds; -1 until asked
    TComponent* root_ = nullptr;
    TComponent* lookupRoot_ = nullptr;
    TComponent* owner_ = nullptr;
    TComponent* parent_ = nullptr;
    std::unique_ptr<std::vector<TPropFixup>> fixups_;
    std::vector<TComponent*>* loaded_ = nullptr;
    std::unique_ptr<std::vector<TComponent*>> ownLoaded_;
    std::string propName_;      // the name a define-property call must have to read the value
    bool propHandled_ = false;  // set once a define-property call has read it
    bool canHandleExceptions_ = true;
    std::unique_ptr<TClassFinder> finder_;
    int nesting_ = 0;
};

// Deepest nesting of records and values a resource may have; deeper ones are refused as damaged.
constexpr int MaxFormNesting = 200;
