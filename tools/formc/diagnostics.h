// Positions in a form description and the error that stops its compilation.
#pragma once

#include <stdexcept>
#include <string>

namespace formc {

// 1-based line and column; the column counts characters, not bytes.
struct SourcePosition {
    int line = 1;
    int column = 1;
};

class CompileError : public std::runtime_error {
public:
    CompileError(SourcePosition where, const std::string& message) : std::runtime_error(message), where_(where) {}
    SourcePosition Where() const { return where_; }

private:
    SourcePosition where_;
};

}  // namespace formc
