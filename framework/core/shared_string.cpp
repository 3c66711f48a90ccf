// Immutable byte strings in reference-counted storage: a string cut from a larger block (a loaded
// document) points into that block instead of copying its bytes. Not for sharing between threads.
#include "framework/core/shared_string.h"

#include <cstring>
#include <new>

TSharedString TSharedString::Allocate(std::size_t size)
{
    TSharedString result;
    if (size == 0)
        return result;
    void* memory = ::operator new(sizeof(Block) + size);
    result.block_ = new (memory) Block{1};
    result.data_ = reinterpret_cast<const char*>(result.block_ + 1);
    result.size_ = size;
    return result;
}

TSharedString::TSharedString(std::string_view text)
{
    TSharedString copy = Allocate(text.size());
    if (!text.empty())
        std::memcpy(copy.MutableData(), text.data(), text.size());
    Swap(copy);
}

TSharedString TSharedString::Slice(std::size_t offset, std::size_t size) const
{
    TSharedString result;
    if (size == 0)
        return result;
    result.block_ = block_;
    ++block_->refs;
    result.data_ = data_ + offset;
    result.size_ = size;
    return result;
}

void TSharedString::Release()
{
    if (block_ && --block_->refs == 0)
        ::operator delete(block_);
}
