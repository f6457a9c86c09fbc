// Tokens of a resource script, with the C preprocessor subset that resource scripts use:
// #include, object-like #define/#undef, #if/#ifdef/#ifndef/#elif/#else/#endif,
// #pragma code_page(65001) and #error.
#pragma once

#include "rc_script.h"

#include <deque>
#include <map>
#include <memory>

namespace kzrc {

enum class TokenKind { Identifier, Number, String, Punct, End };

struct Token {
    TokenKind kind = TokenKind::End;
    std::string text;       // identifier or punctuation as written
    std::int64_t value = 0; // numbers
    std::wstring str;       // strings, escapes resolved
    SourceLocation where;

    bool is(TokenKind k, std::string_view t) const { return kind == k && text == t; }
    bool isPunct(std::string_view t) const { return is(TokenKind::Punct, t); }
    // Keywords are identifiers compared ignoring case.
    bool isKeyword(std::string_view keyword) const;
};

// How a token reads in a message: 'BEGIN', number 12, string "abc", end of file.
std::string describe(const Token& t);

// Something tokens can be read from one at a time.
class TokenSource {
public:
    virtual ~TokenSource() = default;
    virtual const Token& peek() = 0;
    virtual Token next() = 0;
};

// Expression over tokens: numbers, symbols, ( ), unary - ~ ! +, and the C binary
// operators from || down to * / %. `lowest` names the loosest operator taken, so a
// caller that treats '|' itself can ask for what binds tighter. Identifiers left after
// macro expansion are 0 when undefinedIsZero (as in #if), an error otherwise.
enum class Precedence {
    LogicalOr,
    LogicalAnd,
    BitOr,
    BitXor,
    BitAnd,
    Equality,
    Relational,
    Shift,
    Additive,
    Multiplicative
};
std::int64_t evaluate(TokenSource& in, Precedence lowest, bool undefinedIsZero);

class Preprocessor : public TokenSource {
public:
    Preprocessor(const Options& options, std::vector<std::string>& dependencies);
    ~Preprocessor() override;

    void openFile(const std::string& path);
    void openText(std::string_view text, const std::string& name);

    const Token& peek() override;
    Token next() override;

private:
    struct Source;
    struct Condition {
        bool active;       // tokens here are read
        bool taken;        // some branch of this #if was active
        bool parentActive; // the enclosing region is read
        bool seenElse;
        SourceLocation where;
    };

    void push(std::string text, const std::string& name, bool directivesOnly);
    bool reading() const;
    void directive(Source& s);
    bool condition(const std::vector<Token>& args, const SourceLocation& where);
    void expand(const Token& t, int depth, std::deque<Token>& out);
    Token lexOne();

    const Options& options_;
    std::vector<std::string>& dependencies_;
    std::vector<std::unique_ptr<Source>> sources_;
    std::vector<Condition> conditions_;
    std::map<std::string, std::vector<Token>> macros_;
    std::deque<Token> queue_;
};

} // namespace kzrc
