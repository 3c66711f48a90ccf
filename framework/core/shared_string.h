// Immutable byte strings in reference-counted storage: a string cut from a larger block (a loaded
// document) points into that block instead of copying its bytes. Not for sharing between threads.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

class TSharedString {
public:
    TSharedString() = default;
    // Copies `text` into a block of its own; the empty string has no block.
    explicit TSharedString(std::string_view text);
    // A block of `size` bytes, left unset for the caller to fill through MutableData before sharing it.
    static TSharedString Allocate(std::size_t size);

    TSharedString(const TSharedString& other) : block_(other.block_), data_(other.data_), size_(other.size_)
    {
        if (block_)
            ++block_->refs;
    }
    TSharedString(TSharedString&& other) noexcept : block_(other.block_), data_(other.data_), size_(other.size_)
    {
        other.block_ = nullptr;
        other.data_ = nullptr;
        other.size_ = 0;
    }
    TSharedString& operator=(TSharedString other) noexcept
    {
        Swap(other);
        return *this;
    }
    ~TSharedString() { Release(); }

    // `size` bytes from `offset`, sharing this string's block.
    TSharedString Slice(std::size_t offset, std::size_t size) const;

    std::string_view View() const { return {data_, size_}; }
    std::string Str() const { return std::string(data_, size_); }
    const char* Data() const { return data_; }
    std::size_t Size() const { return size_; }
    bool Empty() const { return size_ == 0; }
    // Writable bytes of a block made by Allocate that nothing else shares yet.
    char* MutableData() { return const_cast<char*>(data_); }

    void Swap(TSharedString& other) noexcept
    {
        std::swap(block_, other.block_);
        std::swap(data_, other.data_);
        std::swap(size_, other.size_);
    }

private:
    struct Block {
        std::size_t refs;
    };

    void Release();

    Block* block_ = nullptr;
    const char* data_ = nullptr;
    std::size_t size_ = 0;
};
