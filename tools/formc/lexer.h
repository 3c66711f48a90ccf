// Splits a form description into tokens.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "diagnostics.h"

namespace formc {

enum class TokenKind {
    Identifier,  // ASCII letters, digits and '_', not starting with a digit
    Number,      // 12, 1.5e3, $FF, 0xFF, with an optional letter suffix: 1.5s
    String,      // 'abc'#13#10'def', already joined and decoded
    Binary,      // { 0A 0B }, already decoded
    Equals,
    Colon,
    Comma,
    Dot,
    Plus,
    Minus,
    At,
    LeftBracket,
    RightBracket,
    LeftParen,
    RightParen,
    LessThan,
    GreaterThan,
    EndOfFile,
};

struct Token {
    TokenKind kind = TokenKind::EndOfFile;
    SourcePosition where;
    std::string text;       // identifier; number without its suffix
    std::string suffix;     // number suffix letters
    std::u32string string;  // string characters
    std::string bytes;      // binary data
};

// Short description of a token for messages: "identifier 'Caption'", "')'", "end of file".
std::string Describe(const Token& token);

// Every token of the description, ending with EndOfFile. Throws CompileError on malformed text
// (invalid UTF-8, unterminated strings or binary data, stray characters).
std::vector<Token> Tokenize(std::string_view utf8Source);

}  // namespace formc
