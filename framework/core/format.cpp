// printf-like formatting of the framework's messages.
#include "framework/core/format.h"

#include <algorithm>

namespace {

std::string Digits(std::uint64_t value, unsigned base, bool upper)
{
    const char* digits = upper ? "0123456789ABCDEF" : "0123456789abcdef";
    std::string out;
    do {
        out.push_back(digits[value % base]);
        value /= base;
    } while (value);
    std::reverse(out.begin(), out.end());
    return out;
}

}  // namespace

std::string Format(std::string_view format, std::initializer_list<TFormatArg> args)
{
    std::string out;
    out.reserve(format.size() + 16);
    auto next = args.begin();
    for (std::size_t i = 0; i < format.size(); ++i) {
        char c = format[i];
        if (c != '%' || i + 1 >= format.size()) {
            out.push_back(c);
            continue;
        }
        std::size_t start = i++;
        bool left = false, zero = false;
        for (; i < format.size() && (format[i] == '-' || format[i] == '0'); ++i)
            (format[i] == '-' ? left : zero) = true;
        int width = 0, precision = -1;
        for (; i < format.size() && format[i] >= '0' && format[i] <= '9'; ++i)
            width = std::min(width * 10 + (format[i] - '0'), 4096);
        if (i < format.size() && format[i] == '.') {
            precision = 0;
            for (++i; i < format.size() && format[i] >= '0' && format[i] <= '9'; ++i)
                precision = std::min(precision * 10 + (format[i] - '0'), 4096);
        }
        if (i >= format.size()) {
            out.append(format.substr(start));
            break;
        }
        char directive = format[i];
        if (directive == '%') {
            out.push_back('%');
            continue;
        }
        std::string piece;
        const TFormatArg* arg = next != args.end() ? next++ : nullptr;
        switch (directive) {
        case 'd':
        case 'u':
        case 'x':
        case 'X': {
            std::int64_t n = arg && !arg->IsText() ? arg->Number() : 0;
            bool negative = directive == 'd' && n < 0;
            std::uint64_t magnitude =
                negative ? 0 - static_cast<std::uint64_t>(n)
                : directive == 'd'
                    ? static_cast<std::uint64_t>(n)
                    : static_cast<std::uint32_t>(n);
            std::string digits = Digits(magnitude, directive == 'd' || directive == 'u' ? 10 : 16, directive == 'X');
            if (precision > static_cast<int>(digits.size()))
                digits.insert(0, precision - digits.size(), '0');
            if (zero && !left && precision < 0 && width > static_cast<int>(digits.size()) + negative)
                digits.insert(0, width - digits.size() - negative, '0');
            piece = (negative ? "-" : "") + digits;
            break;
        }
        case 's':
            if (arg && arg->IsText())
                piece = std::string(arg->Text());
            else if (arg)
                piece = std::to_string(arg->Number());
            if (precision >= 0 && static_cast<int>(piece.size()) > precision)
                piece.resize(precision);
            break;
        case 'c':
            if (arg)
                piece = arg->IsText() ? std::string(arg->Text().substr(0, 1))
                                      : std::string(1, static_cast<char>(arg->Number()));
            break;
        default:  // unknown directive: copied as it stands
            out.append(format.substr(start, i - start + 1));
            if (arg)
                --next;
            continue;
        }
        if (static_cast<int>(piece.size()) < width)
            piece.insert(left ? piece.size() : 0, width - piece.size(), ' ');
        out += piece;
    }
    return out;
}
