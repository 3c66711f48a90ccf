// Shared GDI resource records: graphics objects of equal value share one record and one GDI handle.
// A record lives while objects refer to it; the last release deletes its handle.
#pragma once

#include <cstdint>
#include <cstring>
#include <mutex>
#include <type_traits>
#include <utility>

#include "platform/gdi.h"
#include "platform/win32.h"

// The 16-bit hash of a value's bytes: rotate the accumulator left by 5, then xor in the byte.
std::uint16_t ResourceHash(const void* data, std::size_t size);

// One process-wide list of records for one kind of value. Value must be trivially copyable and
// fully initialised (padding zeroed), since it is compared and hashed byte by byte.
template <class Value>
class TResourceManager {
    static_assert(std::is_trivially_copyable_v<Value> && std::has_unique_object_representations_v<Value>,
                  "values are compared and hashed byte by byte: no padding");

public:
    struct Record {
        Record* Next = nullptr;
        int RefCount = 0;
        HGDIOBJ Handle = nullptr;
        std::uint16_t Hash = 0;
        Value Data;
    };

    // The record holding `value`, made when there is none; its count is raised.
    Record* Allocate(const Value& value)
    {
        std::uint16_t hash = ResourceHash(&value, sizeof value);
        std::lock_guard<std::mutex> guard(lock_);
        Record* record = head_;
        while (record && !(record->Hash == hash && std::memcmp(&record->Data, &value, sizeof value) == 0))
            record = record->Next;
        if (!record) {
            record = new Record;
            record->Hash = hash;
            std::memcpy(&record->Data, &value, sizeof value);
            record->Next = head_;
            head_ = record;
        }
        ++record->RefCount;
        return record;
    }

    void AddRef(Record* record)
    {
        std::lock_guard<std::mutex> guard(lock_);
        ++record->RefCount;
    }

    // Lowers the count; at zero the record leaves the list and its GDI object is deleted.
    void Release(Record* record)
    {
        if (!record)
            return;
        std::lock_guard<std::mutex> guard(lock_);
        if (--record->RefCount > 0)
            return;
        Record** link = &head_;
        while (*link && *link != record)
            link = &(*link)->Next;
        if (*link)
            *link = record->Next;
        if (record->Handle)
            platform::DeleteObject(record->Handle);
        delete record;
    }

    // The record's handle, made by `make` on first request.
    template <class Make>
    HGDIOBJ Handle(Record* record, Make make)
    {
        std::lock_guard<std::mutex> guard(lock_);
        if (!record->Handle)
            record->Handle = make(record->Data);
        return record->Handle;
    }

    // Deletes the handles of the records whose value `stale` picks; they are made again on request.
    template <class Stale>
    void DropHandles(Stale stale)
    {
        std::lock_guard<std::mutex> guard(lock_);
        for (Record* r = head_; r; r = r->Next)
            if (r->Handle && stale(r->Data)) {
                platform::DeleteObject(r->Handle);
                r->Handle = nullptr;
            }
    }

    int RecordCount()
    {
        std::lock_guard<std::mutex> guard(lock_);
        int n = 0;
        for (Record* r = head_; r; r = r->Next)
            ++n;
        return n;
    }

private:
    std::mutex lock_;
    Record* head_ = nullptr;
};

// A graphics object's reference to its record: it shares the record of an equal value and lets go
// of the old one on every change.
template <class Value>
class TSharedResource {
public:
    using Manager = TResourceManager<Value>;

    // The record an object has just left. It is let go only when this goes, after the object's
    // change event: a canvas takes the old GDI object out of its device context there, and an
    // object still selected must not be deleted.
    class TLeftRecord {
    public:
        TLeftRecord() = default;
        TLeftRecord(Manager& manager, typename Manager::Record* record, bool moved)
            : manager_(&manager), record_(record), moved_(moved)
        {}
        ~TLeftRecord()
        {
            if (manager_)
                manager_->Release(record_);
        }
        TLeftRecord(TLeftRecord&& other) noexcept { *this = std::move(other); }
        TLeftRecord& operator=(TLeftRecord&& other) noexcept
        {
            std::swap(manager_, other.manager_);
            std::swap(record_, other.record_);
            std::swap(moved_, other.moved_);
            return *this;
        }
        // True when the object moved to another record than this one.
        bool Moved() const { return moved_; }

    private:
        Manager* manager_ = nullptr;
        typename Manager::Record* record_ = nullptr;
        bool moved_ = false;
    };

    TSharedResource(Manager& manager, const Value& value) : manager_(manager), record_(manager.Allocate(value)) {}
    ~TSharedResource() { manager_.Release(record_); }
    TSharedResource(const TSharedResource&) = delete;
    TSharedResource& operator=(const TSharedResource&) = delete;

    const Value& Data() const { return record_->Data; }

    // Moves to the record of `value`.
    [[nodiscard]] TLeftRecord Set(const Value& value)
    {
        auto* old = record_;
        record_ = manager_.Allocate(value);
        return TLeftRecord(manager_, old, record_ != old);
    }

    // Shares `source`'s record.
    [[nodiscard]] TLeftRecord ShareWith(const TSharedResource& source)
    {
        manager_.AddRef(source.record_);
        auto* old = record_;
        record_ = source.record_;
        return TLeftRecord(manager_, old, record_ != old);
    }

    template <class Make>
    HGDIOBJ Handle(Make make) const
    {
        return manager_.Handle(record_, make);
    }

private:
    Manager& manager_;
    typename Manager::Record* record_;
};
