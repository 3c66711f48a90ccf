// The command-number pool: a growable bit set, one bit per number in use.
#include "framework/menus/command_pool.h"

#include <bit>
#include <vector>

#include "framework/menus/menu_item.h"

namespace commandpool {

namespace {

struct Pool {
    std::vector<std::uint32_t> words;
    int inUse = 0;
};

Pool& ThePool()
{
    static Pool pool;
    return pool;
}

}  // namespace

std::uint16_t Take()
{
    Pool& pool = ThePool();
    for (std::size_t w = 0; w < pool.words.size(); ++w) {
        if (pool.words[w] == 0xFFFFFFFFu)
            continue;
        unsigned bit = std::countr_one(pool.words[w]);
        pool.words[w] |= 1u << bit;
        ++pool.inUse;
        return static_cast<std::uint16_t>(w * 32 + bit);
    }
    if (pool.words.size() * 32 >= 0x10000)
        throw EMenuError(SMenuCommandsUsedUp);
    pool.words.push_back(1u);
    ++pool.inUse;
    return static_cast<std::uint16_t>((pool.words.size() - 1) * 32);
}

void Release(std::uint16_t command)
{
    Pool& pool = ThePool();
    std::size_t w = command / 32;
    std::uint32_t mask = 1u << (command % 32);
    if (command == 0 || w >= pool.words.size() || !(pool.words[w] & mask))
        return;
    pool.words[w] &= ~mask;
    --pool.inUse;
}

int InUse() { return ThePool().inUse; }

}  // namespace commandpool
