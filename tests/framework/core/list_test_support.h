// Helpers of the list and stream tests: a list's entries, stand-in objects, and a recorder of a string list's changing and changed events.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/core/string_list.h"
#include "tests/support/message_of.h"

using Lines = std::vector<std::string>;

inline Lines Entries(const TStrings& list)
{
    Lines entries;
    for (int i = 0; i < list.Count(); ++i)
        entries.push_back(list.Get(i));
    return entries;
}

// A distinct object reference that is never dereferenced.
inline TObject* Tag(std::intptr_t n) { return reinterpret_cast<TObject*>(n); }

class TChangeLog : public TObject {
public:
    explicit TChangeLog(TStringList& list)
    {
        list.OnChanging = TNotifyEvent(this, &TChangeLog::Changing);
        list.OnChange = TNotifyEvent(this, &TChangeLog::Changed);
    }
    // "changing changed ..." in order, then forgets them.
    std::string Take()
    {
        std::string all;
        for (const std::string& e : events_)
            all += (all.empty() ? "" : " ") + e;
        events_.clear();
        return all;
    }

private:
    void Changing(TObject*) { events_.push_back("changing"); }
    void Changed(TObject*) { events_.push_back("changed"); }

    std::vector<std::string> events_;
};
