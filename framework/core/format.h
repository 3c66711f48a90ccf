// printf-like formatting of the framework's messages, safe against a format that does not match
// its arguments (a missing argument formats as nothing, a surplus one is ignored).
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

class TFormatArg {
public:
    TFormatArg(int value) : isText_(false), number_(value) {}
    TFormatArg(unsigned value) : isText_(false), number_(value) {}
    TFormatArg(long value) : isText_(false), number_(value) {}
    TFormatArg(unsigned long value) : isText_(false), number_(static_cast<std::int64_t>(value)) {}
    TFormatArg(std::int64_t value) : isText_(false), number_(value) {}
    TFormatArg(const char* text) : isText_(true), text_(text ? text : "") {}
    TFormatArg(const std::string& text) : isText_(true), text_(text) {}
    TFormatArg(std::string_view text) : isText_(true), text_(text) {}

    bool IsText() const { return isText_; }
    std::int64_t Number() const { return number_; }
    std::string_view Text() const { return text_; }

private:
    bool isText_;
    std::int64_t number_ = 0;
    std::string_view text_;
};

// Directives: %d %u %x %X %s %c %%, each with optional "-" and "0" flags, width and ".precision"
// (for %s the maximum length, for integers the minimum number of digits).
std::string Format(std::string_view format, std::initializer_list<TFormatArg> args);
