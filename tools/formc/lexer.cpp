// Splits a form description into tokens.
#include "lexer.h"

#include "text_encoding.h"

namespace formc {

namespace {

bool IsAsciiLetter(char32_t c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsDigit(char32_t c) { return c >= '0' && c <= '9'; }
bool IsHexDigit(char32_t c) { return IsDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); }
bool IsIdentifierStart(char32_t c) { return IsAsciiLetter(c) || c == '_'; }
bool IsIdentifierPart(char32_t c) { return IsIdentifierStart(c) || IsDigit(c); }
bool IsBlank(char32_t c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; }

int HexDigitValue(char32_t c)
{
    if (IsDigit(c))
        return static_cast<int>(c - '0');
    return static_cast<int>((c | 0x20) - 'a' + 10);
}

std::string Printable(char32_t c)
{
    if (c >= 0x21 && c < 0x7F)
        return std::string("'") + static_cast<char>(c) + "'";
    return CodePointName(c);
}

class Lexer {
public:
    explicit Lexer(std::u32string source) : source_(std::move(source)) {}

    std::vector<Token> Run()
    {
        std::vector<Token> tokens;
        for (;;) {
            SkipBlanksAndComments();
            Token token;
            token.where = position_;
            if (AtEnd()) {
                tokens.push_back(token);
                return tokens;
            }
            ReadToken(token);
            tokens.push_back(std::move(token));
        }
    }

private:
    bool AtEnd() const { return at_ >= source_.size(); }
    char32_t Peek(std::size_t ahead = 0) const { return at_ + ahead < source_.size() ? source_[at_ + ahead] : U'\0'; }

    char32_t Advance()
    {
        const char32_t c = source_[at_++];
        if (c == '\n') {
            ++position_.line;
            position_.column = 1;
        } else {
            ++position_.column;
        }
        return c;
    }

    [[noreturn]] void Fail(SourcePosition where, const std::string& message) const
    {
        throw CompileError(where, message);
    }

    void SkipBlanksAndComments()
    {
        for (;;) {
            if (!AtEnd() && IsBlank(Peek())) {
                Advance();
            } else if (Peek() == '/' && Peek(1) == '/') {
                while (!AtEnd() && Peek() != '\n')
                    Advance();
            } else {
                return;
            }
        }
    }

    void ReadToken(Token& token)
    {
        const char32_t c = Peek();
        if (IsIdentifierStart(c)) {
            token.kind = TokenKind::Identifier;
            while (IsIdentifierPart(Peek()))
                token.text.push_back(static_cast<char>(Advance()));
        } else if (IsDigit(c) || (c == '$' && IsHexDigit(Peek(1)))) {
            ReadNumber(token);
        } else if (c == '\'' || c == '#') {
            ReadString(token);
        } else if (c == '{') {
            ReadBinary(token);
        } else {
            token.kind = SymbolKind(c);
            Advance();
        }
    }

    TokenKind SymbolKind(char32_t c) const
    {
        switch (c) {
        case '=': return TokenKind::Equals;
        case ':': return TokenKind::Colon;
        case ',': return TokenKind::Comma;
        case '.': return TokenKind::Dot;
        case '+': return TokenKind::Plus;
        case '-': return TokenKind::Minus;
        case '@': return TokenKind::At;
        case '[': return TokenKind::LeftBracket;
        case ']': return TokenKind::RightBracket;
        case '(': return TokenKind::LeftParen;
        case ')': return TokenKind::RightParen;
        case '<': return TokenKind::LessThan;
        case '>': return TokenKind::GreaterThan;
        default: break;
        }
        if (c == '"')
            Fail(position_, "unexpected character '\"': strings are written in single quotes");
        Fail(position_, "unexpected character " + Printable(c));
    }

    void ReadNumber(Token& token)
    {
        token.kind = TokenKind::Number;
        auto take = [&] { token.text.push_back(static_cast<char>(Advance())); };
        if (Peek() == '$' || (Peek() == '0' && (Peek(1) == 'x' || Peek(1) == 'X') && IsHexDigit(Peek(2)))) {
            take();
            if (token.text == "0")
                take();
            while (IsHexDigit(Peek()))
                take();
        } else {
            while (IsDigit(Peek()))
                take();
            if (Peek() == '.' && IsDigit(Peek(1))) {
                take();
                while (IsDigit(Peek()))
                    take();
            }
            const bool signedExponent = (Peek(1) == '+' || Peek(1) == '-') && IsDigit(Peek(2));
            if ((Peek() == 'e' || Peek() == 'E') && (IsDigit(Peek(1)) || signedExponent)) {
                take();
                if (signedExponent)
                    take();
                while (IsDigit(Peek()))
                    take();
            }
        }
        while (IsIdentifierPart(Peek()))
            token.suffix.push_back(static_cast<char>(Advance()));
    }

    // A run of quoted pieces and #nnn character codes written without blanks between them.
    void ReadString(Token& token)
    {
        token.kind = TokenKind::String;
        for (;;) {
            if (Peek() == '\'') {
                ReadQuoted(token.string);
            } else if (Peek() == '#') {
                token.string.push_back(ReadCharacterCode());
            } else {
                return;
            }
        }
    }

    void ReadQuoted(std::u32string& text)
    {
        const SourcePosition opening = position_;
        Advance();
        for (;;) {
            if (AtEnd() || Peek() == '\n' || Peek() == '\r')
                Fail(opening, "unterminated string: the closing quote is missing on this line");
            const char32_t c = Advance();
            if (c == '\'') {
                if (Peek() != '\'')
                    return;
                Advance();
            }
            text.push_back(c);
        }
    }

    char32_t ReadCharacterCode()
    {
        const SourcePosition where = position_;
        Advance();
        std::uint64_t code = 0;
        bool anyDigit = false;
        if (Peek() == '$') {
            Advance();
            while (IsHexDigit(Peek())) {
                code = std::min<std::uint64_t>(code * 16 + HexDigitValue(Advance()), 0x7FFFFFFF);
                anyDigit = true;
            }
        } else {
            while (IsDigit(Peek())) {
                code = std::min<std::uint64_t>(code * 10 + (Advance() - '0'), 0x7FFFFFFF);
                anyDigit = true;
            }
        }
        if (!anyDigit)
            Fail(where, "expected a character code after '#' (#13 or #$0D)");
        if (!IsScalarValue(static_cast<char32_t>(code)))
            Fail(where, "character code #" + std::to_string(code) + " is not a Unicode character");
        return static_cast<char32_t>(code);
    }

    void ReadBinary(Token& token)
    {
        token.kind = TokenKind::Binary;
        const SourcePosition opening = position_;
        Advance();
        int pendingDigit = -1;
        SourcePosition pendingWhere;
        for (;;) {
            if (AtEnd())
                Fail(opening, "unterminated binary data: '}' is missing");
            const SourcePosition where = position_;
            const char32_t c = Advance();
            if (c == '}')
                break;
            if (IsBlank(c))
                continue;
            if (!IsHexDigit(c))
                Fail(where, "unexpected character " + Printable(c) + " in the binary data opened at " +
                                std::to_string(opening.line) + ":" + std::to_string(opening.column) +
                                " (hex digits expected, or '}' is missing)");
            if (pendingDigit < 0) {
                pendingDigit = HexDigitValue(c);
                pendingWhere = where;
            } else {
                token.bytes.push_back(static_cast<char>(pendingDigit * 16 + HexDigitValue(c)));
                pendingDigit = -1;
            }
        }
        if (pendingDigit >= 0)
            Fail(pendingWhere, "binary data has an odd number of hex digits");
    }

    std::u32string source_;
    std::size_t at_ = 0;
    SourcePosition position_;
};

SourcePosition PositionOfByte(std::string_view source, std::size_t offset)
{
    SourcePosition where;
    for (std::size_t i = 0; i < offset; ++i) {
        if (source[i] == '\n') {
            ++where.line;
            where.column = 1;
        } else if ((static_cast<unsigned char>(source[i]) & 0xC0) != 0x80) {
            ++where.column;  // continuation bytes belong to the character before them
        }
    }
    return where;
}

}  // namespace

std::string Describe(const Token& token)
{
    switch (token.kind) {
    case TokenKind::Identifier: return "identifier '" + token.text + "'";
    case TokenKind::Number: return "number " + token.text + token.suffix;
    case TokenKind::String: return "a string";
    case TokenKind::Binary: return "binary data";
    case TokenKind::Equals: return "'='";
    case TokenKind::Colon: return "':'";
    case TokenKind::Comma: return "','";
    case TokenKind::Dot: return "'.'";
    case TokenKind::Plus: return "'+'";
    case TokenKind::Minus: return "'-'";
    case TokenKind::At: return "'@'";
    case TokenKind::LeftBracket: return "'['";
    case TokenKind::RightBracket: return "']'";
    case TokenKind::LeftParen: return "'('";
    case TokenKind::RightParen: return "')'";
    case TokenKind::LessThan: return "'<'";
    case TokenKind::GreaterThan: return "'>'";
    case TokenKind::EndOfFile: break;
    }
    return "the end of the file";
}

std::vector<Token> Tokenize(std::string_view utf8Source)
{
    // A byte order mark some editors put first is not part of the text.
    if (utf8Source.starts_with("\xEF\xBB\xBF"))
        utf8Source.remove_prefix(3);
    Utf8Decoding decoded = DecodeUtf8(utf8Source);
    if (decoded.errorOffset)
        throw CompileError(PositionOfByte(utf8Source, *decoded.errorOffset), "the description is not valid UTF-8 here");
    return Lexer(std::move(decoded.text)).Run();
}

}  // namespace formc
