// Option sets and the system dialogs' flag words: element p of a set stands for table entry p.
#pragma once

#include <cstddef>
#include <cstdint>

#include "framework/core/set.h"

template <class E, std::size_t N>
std::uint32_t FlagsOf(TSet<E> options, const std::uint32_t (&table)[N])
{
    std::uint32_t flags = 0;
    for (std::size_t i = 0; i < N; ++i)
        if (options.Contains(static_cast<E>(i)))
            flags |= table[i];
    return flags;
}

// The options whose flags are all set in `flags`.
template <class E, std::size_t N>
TSet<E> OptionsOf(std::uint32_t flags, const std::uint32_t (&table)[N])
{
    TSet<E> options;
    for (std::size_t i = 0; i < N; ++i)
        if ((flags & table[i]) == table[i])
            options.Include(static_cast<E>(i));
    return options;
}
