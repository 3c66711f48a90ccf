// The abstract list of strings, each paired with an object it does not own: everything a list can
// do in terms of get, put, count, insert, delete and clear, including text and file I/O.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "framework/core/persistent.h"

class TStream;

class TStrings : public TPersistent {
    DECLARE_CLASS(TStrings)
public:
    // The primitives a concrete list provides.
    virtual std::string Get(int index) const = 0;
    virtual int Count() const = 0;
    virtual void Clear() = 0;
    virtual void Delete(int index) = 0;
    virtual void Insert(int index, std::string s) = 0;

    virtual int Capacity() const { return Count(); }
    virtual void SetCapacity(int) {}
    virtual TObject* GetObject(int) const { return nullptr; }
    virtual void PutObject(int, TObject*) {}
    // Replaces the string at `index`, keeping its object (by delete and insert).
    virtual void Put(int index, std::string s);

    // All entries, each followed by CR LF.
    virtual std::string Text() const;
    // Replaces the entries by the lines of `text`: CR LF, CR and LF each end a line, a final break
    // adds no empty line, and a NUL byte ends the text.
    virtual void SetText(std::string_view text);
    // The same, as a zero-terminated copy the caller owns / from a zero-terminated buffer.
    virtual std::unique_ptr<char[]> GetTextBuffer() const;
    virtual void SetTextBuffer(const char* text);

    // Locale-aware and case-insensitive: <0, 0 or >0.
    virtual int CompareStrings(std::string_view a, std::string_view b) const;

    virtual int Add(std::string s);
    virtual int AddObject(std::string s, TObject* object);
    virtual void AddStrings(const TStrings& strings);
    virtual void InsertObject(int index, std::string s, TObject* object);
    virtual void Exchange(int index1, int index2);
    virtual void Move(int fromIndex, int toIndex);

    // First index whose string compares equal, else -1.
    virtual int IndexOf(const std::string& s) const;
    // First "name=value" entry whose name compares equal to `name`, else -1.
    virtual int IndexOfName(const std::string& name) const;
    // First index holding exactly `object`, else -1.
    virtual int IndexOfObject(const TObject* object) const;

    // Loading reads the whole file or the rest of the stream (EReadError when less arrives than its
    // size promised); saving writes Text() with CR LF after every entry and nothing else.
    virtual void LoadFromFile(const std::string& fileName);
    virtual void LoadFromStream(TStream& stream);
    virtual void SaveToFile(const std::string& fileName) const;
    virtual void SaveToStream(TStream& stream) const;

    void Assign(const TPersistent* source) override;
    // Same count and byte-for-byte equal strings; objects are not compared.
    bool Equals(const TStrings& other) const;

    // Stores the entries as "Strings", a list of string values, in form resources.
    void DefineProperties(TFiler& filer) override;

    // The part of entry `index` before its first "=" (empty without one).
    std::string Names(int index) const;
    // The part after the "=" of the entry named `name`; empty when there is none.
    std::string Values(const std::string& name) const;
    // Sets the value of `name`, adding the entry when needed; an empty value deletes the entry.
    void SetValue(const std::string& name, const std::string& value);

    // Brackets a series of changes: the update-state hook hears of the first begin and the last end.
    void BeginUpdate();
    void EndUpdate();

protected:
    virtual void SetUpdateState(bool) {}
    int UpdateCount() const { return updateCount_; }

private:
    int updateCount_ = 0;
};

// Begin update now, end update when the scope is left, also by an exception.
class TUpdateBracket {
public:
    explicit TUpdateBracket(TStrings& strings) : strings_(strings) { strings_.BeginUpdate(); }
    ~TUpdateBracket() { strings_.EndUpdate(); }
    TUpdateBracket(const TUpdateBracket&) = delete;
    TUpdateBracket& operator=(const TUpdateBracket&) = delete;

private:
    TStrings& strings_;
};

// Byte position of the first "=" in `s` that is not the trail byte of a double-byte character, or
// std::string::npos.
std::size_t FindNameSeparator(std::string_view s);
