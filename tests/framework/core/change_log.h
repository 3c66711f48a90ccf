// Records the changing and changed events of a string list, in order.
#pragma once

#include <string>
#include <vector>

#include "framework/core/string_list.h"

class TChangeLog : public TObject {
public:
    explicit TChangeLog(TStringList& list)
    {
        list.OnChanging = TNotifyEvent(this, &TChangeLog::Changing);
        list.OnChange = TNotifyEvent(this, &TChangeLog::Changed);
    }

    // "changing changed ..." as one string, easy to compare and to read in a failure.
    std::string Events() const
    {
        std::string all;
        for (const std::string& e : events_)
            all += (all.empty() ? "" : " ") + e;
        return all;
    }
    void Reset() { events_.clear(); }

private:
    void Changing(TObject*) { events_.push_back("changing"); }
    void Changed(TObject*) { events_.push_back("changed"); }

    std::vector<std::string> events_;
};
