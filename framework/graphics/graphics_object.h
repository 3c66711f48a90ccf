// The base of fonts, pens and brushes: a value shared through a resource record, a change event,
// and the lock of the canvas that owns the object.
#pragma once

#include <mutex>

#include "framework/core/event.h"
#include "framework/core/persistent.h"
#include "framework/graphics/gdi_object_cache.h"

class TGraphicsObject : public TPersistent {
    DECLARE_CLASS(TGraphicsObject)
public:
    // Called after every change, with the object as sender.
    TNotifyEvent OnChange;

    // The lock of the owning canvas (none for a free object): every change of the value runs under it.
    std::recursive_mutex* OwnerLock() const { return ownerLock_; }
    void SetOwnerLock(std::recursive_mutex* lock) { ownerLock_ = lock; }

protected:
    virtual void Changed();

    // Holds the owner's lock, when there is one, while a value is read, changed and stored back.
    class TValueGuard {
    public:
        explicit TValueGuard(const TGraphicsObject& object) : lock_(object.ownerLock_)
        {
            if (lock_)
                lock_->lock();
        }
        ~TValueGuard()
        {
            if (lock_)
                lock_->unlock();
        }
        TValueGuard(const TValueGuard&) = delete;
        TValueGuard& operator=(const TValueGuard&) = delete;

    private:
        std::recursive_mutex* lock_;
    };

    // Applies `change` to a copy of the shared value and moves to the record of the result, under
    // the owner's lock; fires the change event when the record is another one, and only then lets
    // the old record (and perhaps its GDI object) go.
    template <class Value, class Change>
    void ChangeValue(TSharedResource<Value>& resource, Change change)
    {
        typename TSharedResource<Value>::TLeftRecord left;
        {
            TValueGuard guard(*this);
            Value value = resource.Data();
            change(value);
            left = resource.Set(value);
        }
        if (left.Moved())
            Changed();
    }

    // Shares `source`'s record under the owner's lock; the record left is let go when the answer
    // goes, so fire the change event before.
    template <class Value>
    [[nodiscard]] typename TSharedResource<Value>::TLeftRecord ShareValue(
        TSharedResource<Value>& resource, const TSharedResource<Value>& source)
    {
        TValueGuard guard(*this);
        return resource.ShareWith(source);
    }

private:
    std::recursive_mutex* ownerLock_ = nullptr;
};

// The screen's vertical logical pixels per inch, read once.
int ScreenPixelsPerInch();
