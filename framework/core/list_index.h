// Positions in the framework's own ordered lists (owned components, tab order, collection items):
// where an element stands, and moving it to another place while the others keep their order.
#pragma once

#include <algorithm>
#include <vector>

// The index of `item` in `list`, or -1 when it is not there.
template <class T, class U>
int IndexIn(const std::vector<T>& list, const U& item)
{
    auto found = std::find(list.begin(), list.end(), item);
    return found == list.end() ? -1 : static_cast<int>(found - list.begin());
}

// Moves the element at `from` to `to` (both valid indexes), without reallocating.
template <class T>
void MoveToIndex(std::vector<T>& list, int from, int to)
{
    auto first = list.begin();
    if (from < to)
        std::rotate(first + from, first + from + 1, first + to + 1);
    else if (to < from)
        std::rotate(first + to, first + from, first + from + 1);
}
