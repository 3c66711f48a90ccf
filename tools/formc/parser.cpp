// Reads a form description into the component records it describes.
#include "parser.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>

#include "lexer.h"
#include "literal_values.h"

namespace formc {

namespace {

constexpr std::size_t ShortStringLimit = 255;

bool SameWord(const std::string& text, const char* word)
{
    if (text.size() != std::strlen(word))
        return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((text[i] | 0x20) != word[i])
            return false;
    }
    return true;
}

std::string PositionText(SourcePosition where)
{
    return std::to_string(where.line) + ":" + std::to_string(where.column);
}

class Parser {
public:
    Parser(std::vector<Token> tokens, std::filesystem::path baseDirectory)
        : tokens_(std::move(tokens)), baseDirectory_(std::move(baseDirectory))
    {}

    ParsedForm Run()
    {
        ParsedForm form;
        if (!StartsComponent())
            Fail(Current(), "expected the root object ('object Name: TClass'), found " + Describe(Current()));
        form.root = ParseComponent();
        if (Current().kind != TokenKind::EndOfFile) {
            Fail(Current(), "unexpected " + Describe(Current()) +
                                " after the end of the root object (one root object per file; check the 'end's)");
        }
        form.dataFiles = std::move(dataFiles_);
        return form;
    }

private:
    const Token& Current() const { return tokens_[at_]; }
    const Token& Next() const { return tokens_[std::min(at_ + 1, tokens_.size() - 1)]; }
    const Token& Take() { return tokens_[at_ < tokens_.size() - 1 ? at_++ : at_]; }
    bool At(TokenKind kind) const { return Current().kind == kind; }
    bool AtWord(const char* word) const { return At(TokenKind::Identifier) && SameWord(Current().text, word); }

    [[noreturn]] void Fail(const Token& token, const std::string& message) const
    {
        throw CompileError(token.where, message);
    }

    const Token& Expect(TokenKind kind, const char* what)
    {
        if (!At(kind))
            Fail(Current(), std::string("expected ") + what + ", found " + Describe(Current()));
        return Take();
    }

    // A keyword at the start of a line is a keyword unless a property path goes on ("End = 3").
    bool AtKeyword(const char* word) const
    {
        return AtWord(word) && Next().kind != TokenKind::Equals && Next().kind != TokenKind::Dot;
    }

    bool StartsComponent() const
    {
        return (AtWord("object") || AtWord("inherited") || AtWord("inline")) && Next().kind == TokenKind::Identifier;
    }

    std::string ShortName(const Token& token, const char* what) const
    {
        if (token.text.size() > ShortStringLimit)
            Fail(token, std::string(what) + " is longer than 255 characters");
        return token.text;
    }

    // object Name: TClass [n] | inherited [inline] Name: TClass | inline Name: TClass | object TClass
    ComponentRecord ParseComponent()
    {
        const Token& keyword = Take();
        ComponentRecord component;
        if (SameWord(keyword.text, "inherited")) {
            component.flags |= Inherited;
            if (AtWord("inline") && Next().kind == TokenKind::Identifier) {
                Take();
                component.flags |= Inline;
            }
        } else if (SameWord(keyword.text, "inline")) {
            component.flags |= Inline;
        }
        const Token& first = Expect(TokenKind::Identifier, "a component name or class name");
        if (At(TokenKind::Colon)) {
            Take();
            component.name = ShortName(first, "a component name");
            component.className = ShortName(Expect(TokenKind::Identifier, "a class name after ':'"), "a class name");
        } else {
            component.className = ShortName(first, "a class name");
        }
        if (At(TokenKind::LeftBracket)) {
            Take();
            component.childPosition = ParseSmallInteger("a child position");
            component.flags |= ChildPosition;
            Expect(TokenKind::RightBracket, "']' after the child position");
        }

        const std::string label = component.name.empty() ? component.className : component.name;
        bool childSeen = false;
        for (;;) {
            if (AtKeyword("end")) {
                Take();
                return component;
            }
            if (At(TokenKind::EndOfFile)) {
                Fail(
                    Current(), "missing 'end' of object " + label + " (opened at " + PositionText(keyword.where) + ")");
            }
            if (StartsComponent()) {
                component.children.push_back(ParseComponent());
                childSeen = true;
            } else if (At(TokenKind::Identifier)) {
                if (childSeen)
                    Fail(Current(), "property " + Current().text + " of " + label +
                                        " comes after a nested object; properties come first");
                component.properties.push_back(ParseProperty());
            } else {
                Fail(Current(),
                     "expected a property, a nested object or 'end' of " + label + ", found " + Describe(Current()));
            }
        }
    }

    std::string ParseDottedName(const char* what)
    {
        const Token& first = Expect(TokenKind::Identifier, what);
        std::string name = first.text;
        while (At(TokenKind::Dot)) {
            Take();
            name += "." + Expect(TokenKind::Identifier, "a name after '.'").text;
        }
        if (name.size() > ShortStringLimit)
            Fail(first, std::string(what) + " is longer than 255 characters");
        return name;
    }

    PropertyEntry ParseProperty()
    {
        PropertyEntry entry;
        entry.path = ParseDottedName("a property name");
        Expect(TokenKind::Equals, "'=' after the property name");
        entry.value = ParseValue(false);
        return entry;
    }

    // A 32-bit integer written as the smallest integer tag: child positions and collection order values.
    Value ParseSmallInteger(const char* what)
    {
        const Token& start = Current();
        bool negative = false;
        if (At(TokenKind::Minus) || At(TokenKind::Plus))
            negative = Take().kind == TokenKind::Minus;
        if (!At(TokenKind::Number))
            Fail(Current(), std::string("expected an integer for ") + what + ", found " + Describe(Current()));
        Value value = NumberValue(Take(), negative);
        if (value.tag != ValueTag::Integer8 && value.tag != ValueTag::Integer16 && value.tag != ValueTag::Integer32)
            Fail(start, std::string(what) + " must be a 32-bit integer");
        return value;
    }

    Value ParseValue(bool inList)
    {
        const Token& token = Current();
        switch (token.kind) {
        case TokenKind::Minus:
        case TokenKind::Plus: {
            const bool negative = Take().kind == TokenKind::Minus;
            if (!At(TokenKind::Number))
                Fail(Current(), "expected a number after the sign, found " + Describe(Current()));
            return NumberValue(Take(), negative);
        }
        case TokenKind::Number: return NumberValue(Take(), false);
        case TokenKind::String: return StringValue(ParseStringText(), StringEncoding::Automatic, token.where);
        case TokenKind::Identifier: return ParseWordValue(inList);
        case TokenKind::LeftBracket: return ParseSet();
        case TokenKind::LeftParen: return ParseList();
        case TokenKind::LessThan: return ParseCollection();
        case TokenKind::Binary: {
            Value value;
            value.tag = ValueTag::Binary;
            value.bytes = Take().bytes;
            return value;
        }
        case TokenKind::At: return ParseFunction();
        default: break;
        }
        Fail(token, "expected a value, found " + Describe(token));
    }

    // 'abc' + 'def' joins pieces written across lines.
    std::u32string ParseStringText()
    {
        std::u32string text = Expect(TokenKind::String, "a string").string;
        while (At(TokenKind::Plus) && Next().kind == TokenKind::String) {
            Take();
            text += Take().string;
        }
        return text;
    }

    Value ParseWordValue(bool inList)
    {
        const Token& word = Current();
        Value value;
        if (SameWord(word.text, "true") || SameWord(word.text, "false") || SameWord(word.text, "nil")) {
            value.tag =
                SameWord(word.text, "true") ? ValueTag::True
                : SameWord(word.text, "false")
                    ? ValueTag::False
                    : ValueTag::Nil;
            Take();
            return value;
        }
        if (SameWord(word.text, "null")) {
            if (inList)
                Fail(word, "Null cannot be a list element: its tag ends the list");
            Take();
            return value;  // tag 0
        }
        value.tag = ValueTag::Identifier;
        value.bytes = ParseDottedName("an identifier");
        return value;
    }

    Value ParseSet()
    {
        Take();
        Value value;
        value.tag = ValueTag::Set;
        if (At(TokenKind::RightBracket)) {
            Take();
            return value;
        }
        for (;;) {
            value.names.push_back(ShortName(Expect(TokenKind::Identifier, "a set element name"), "a set element name"));
            if (At(TokenKind::RightBracket)) {
                Take();
                return value;
            }
            Expect(TokenKind::Comma, "',' or ']' in the set");
        }
    }

    Value ParseList()
    {
        const Token& opening = Take();
        Value value;
        value.tag = ValueTag::List;
        while (!At(TokenKind::RightParen)) {
            if (At(TokenKind::EndOfFile))
                Fail(Current(), "missing ')' of the list opened at " + PositionText(opening.where));
            if (At(TokenKind::Comma))
                Fail(Current(), "list elements are separated by blanks or line breaks, not ','");
            value.elements.push_back(ParseValue(true));
        }
        Take();
        return value;
    }

    // < item [order] Prop = value ... end ... >
    Value ParseCollection()
    {
        const Token& opening = Take();
        Value value;
        value.tag = ValueTag::Collection;
        while (!At(TokenKind::GreaterThan)) {
            if (At(TokenKind::EndOfFile))
                Fail(Current(), "missing '>' of the collection opened at " + PositionText(opening.where));
            if (!AtWord("item"))
                Fail(Current(), "expected 'item' or '>' in the collection, found " + Describe(Current()));
            const Token& itemWord = Take();
            CollectionItem item;
            if (At(TokenKind::LeftBracket)) {
                Take();
                item.order = ParseSmallInteger("an item order value");
                Expect(TokenKind::RightBracket, "']' after the order value");
            }
            while (!AtKeyword("end")) {
                if (At(TokenKind::EndOfFile))
                    Fail(Current(), "missing 'end' of the collection item opened at " + PositionText(itemWord.where));
                if (StartsComponent())
                    Fail(Current(), "objects cannot be nested in a collection item");
                if (!At(TokenKind::Identifier))
                    Fail(
                        Current(), "expected a property or 'end' in the collection item, found " + Describe(Current()));
                item.properties.push_back(ParseProperty());
            }
            Take();
            value.items.push_back(std::move(item));
        }
        Take();
        return value;
    }

    // @file('path'), @wide('...'), @utf8('...'), @ansi('...'), @long('...'), @raw('...')
    Value ParseFunction()
    {
        Take();
        const Token& name = Expect(TokenKind::Identifier, "a function name after '@'");
        Expect(TokenKind::LeftParen, "'(' after the function name");
        const Token& argument = Current();
        if (!At(TokenKind::String))
            Fail(argument, "@" + name.text + " takes a string, found " + Describe(argument));
        const std::u32string text = ParseStringText();
        Value value;
        if (SameWord(name.text, "file"))
            value = ReadDataFile(text, argument);
        else if (SameWord(name.text, "wide"))
            value = StringValue(text, StringEncoding::Wide, argument.where);
        else if (SameWord(name.text, "utf8"))
            value = StringValue(text, StringEncoding::Utf8, argument.where);
        else if (SameWord(name.text, "ansi"))
            value = StringValue(text, StringEncoding::Ansi, argument.where);
        else if (SameWord(name.text, "long"))
            value = StringValue(text, StringEncoding::LongAnsi, argument.where);
        else if (SameWord(name.text, "raw"))
            value = StringValue(text, StringEncoding::Raw, argument.where);
        else
            Fail(name, "unknown function @" + name.text + " (known: @file, @wide, @utf8, @ansi, @long, @raw)");
        Expect(TokenKind::RightParen, "')' after the argument");
        return value;
    }

    Value ReadDataFile(const std::u32string& pathText, const Token& argument)
    {
        const std::string utf8Path = StringValue(pathText, StringEncoding::Utf8, argument.where).bytes;
        const std::filesystem::path path =
            baseDirectory_ / std::filesystem::path(std::u8string(utf8Path.begin(), utf8Path.end()));
        std::ifstream file(path, std::ios::binary);
        std::error_code error;
        if (!file || std::filesystem::is_directory(path, error))
            Fail(argument, "cannot read the data file " + path.string());
        Value value;
        value.tag = ValueTag::Binary;
        value.bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
        if (file.bad())
            Fail(argument, "cannot read the data file " + path.string());
        dataFiles_.push_back(path);
        return value;
    }

    std::vector<Token> tokens_;
    std::size_t at_ = 0;
    std::filesystem::path baseDirectory_;
    std::vector<std::filesystem::path> dataFiles_;
};

}  // namespace

ParsedForm ParseForm(std::string_view utf8Source, const std::filesystem::path& baseDirectory)
{
    return Parser(Tokenize(utf8Source), baseDirectory).Run();
}

}  // namespace formc
