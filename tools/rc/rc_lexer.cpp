#include "rc_lexer.h"
#include "rc_symbols.h"

#include "win_codepage.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace kzrc {

RcError::RcError(const SourceLocation& where_, const std::string& message_)
    : std::runtime_error(where_.file + ":" + std::to_string(where_.line) + ": " + message_),
      where(where_), message(message_) {}

void fail(const SourceLocation& where, const std::string& message) {
    throw RcError(where, message);
}

bool Token::isKeyword(std::string_view keyword) const {
    if (kind != TokenKind::Identifier || text.size() != keyword.size()) {
        return false;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (std::toupper(static_cast<unsigned char>(text[i])) != keyword[i]) {
            return false;
        }
    }
    return true;
}

std::string describe(const Token& t) {
    switch (t.kind) {
    case TokenKind::Identifier:
    case TokenKind::Punct:
        return "'" + t.text + "'";
    case TokenKind::Number:
        return "number " + std::to_string(t.value);
    case TokenKind::String: {
        std::string s = kz::wideToUtf8(t.str.substr(0, 24));
        return "string \"" + s + (t.str.size() > 24 ? "...\"" : "\"");
    }
    case TokenKind::End:
        break;
    }
    return "end of file";
}

namespace {

bool isIdentStart(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
}
bool isIdentChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// One token starting at text[pos], which is not blank and not a comment.
Token lexToken(const std::string& text, std::size_t& pos, const SourceLocation& where) {
    Token t;
    t.where = where;
    const char c = text[pos];
    auto at = [&](std::size_t i) { return i < text.size() ? text[i] : '\0'; };

    if (c == '"' || (c == 'L' && at(pos + 1) == '"')) {
        pos += c == 'L' ? 2 : 1;
        t.kind = TokenKind::String;
        std::string pending; // UTF-8 bytes not yet converted
        auto flush = [&] {
            t.str += kz::utf8ToWide(pending);
            pending.clear();
        };
        while (true) {
            if (pos >= text.size() || text[pos] == '\n') {
                fail(where, "expected '\"' to close the string");
            }
            char ch = text[pos++];
            if (ch == '"') {
                if (at(pos) == '"') { // "" stands for one quote
                    pending += '"';
                    ++pos;
                    continue;
                }
                break;
            }
            if (ch != '\\') {
                pending += ch;
                continue;
            }
            char e = at(pos++);
            wchar_t w;
            switch (e) {
            case 'n':
                w = L'\n';
                break;
            case 't':
                w = L'\t';
                break;
            case 'r':
                w = L'\r';
                break;
            case 'a':
                w = L'\a';
                break;
            case 'b':
                w = L'\b';
                break;
            case 'f':
                w = L'\f';
                break;
            case 'v':
                w = L'\v';
                break;
            case '\\':
                w = L'\\';
                break;
            case '"':
                w = L'"';
                break;
            case '\'':
                w = L'\'';
                break;
            case 'x': {
                unsigned v = 0;
                int digits = 0;
                while (digits < 4 && hexValue(at(pos)) >= 0) {
                    v = v * 16 + static_cast<unsigned>(hexValue(text[pos++]));
                    ++digits;
                }
                if (digits == 0) {
                    fail(where, "expected hexadecimal digits after \\x in string");
                }
                w = static_cast<wchar_t>(v);
                break;
            }
            default:
                if (e >= '0' && e <= '7') {
                    unsigned v = static_cast<unsigned>(e - '0');
                    for (int i = 0; i < 2 && at(pos) >= '0' && at(pos) <= '7'; ++i) {
                        v = v * 8 + static_cast<unsigned>(text[pos++] - '0');
                    }
                    w = static_cast<wchar_t>(v);
                    break;
                }
                fail(where, std::string("unknown escape '\\") + (e ? std::string(1, e) : "") +
                                "' in string (expected \\n, \\t, \\\\, \\\", \\x or octal)");
            }
            flush();
            t.str += w;
        }
        flush();
        return t;
    }
    if (std::isdigit(static_cast<unsigned char>(c))) {
        t.kind = TokenKind::Number;
        std::size_t start = pos;
        std::uint64_t v = 0;
        if (c == '0' && (at(pos + 1) == 'x' || at(pos + 1) == 'X')) {
            pos += 2;
            if (hexValue(at(pos)) < 0) {
                fail(where, "expected hexadecimal digits after 0x");
            }
            while (hexValue(at(pos)) >= 0) {
                v = v * 16 + static_cast<unsigned>(hexValue(text[pos++]));
            }
        } else {
            while (std::isdigit(static_cast<unsigned char>(at(pos)))) {
                v = v * 10 + static_cast<unsigned>(text[pos++] - '0');
            }
        }
        while (at(pos) == 'L' || at(pos) == 'l' || at(pos) == 'U' || at(pos) == 'u') {
            ++pos;
        }
        if (isIdentChar(at(pos))) {
            fail(where, "malformed number '" + text.substr(start, pos - start + 1) + "'");
        }
        t.text = text.substr(start, pos - start);
        t.value = static_cast<std::int64_t>(v);
        return t;
    }
    if (isIdentStart(c)) {
        t.kind = TokenKind::Identifier;
        std::size_t start = pos;
        while (isIdentChar(at(pos))) {
            ++pos;
        }
        t.text = text.substr(start, pos - start);
        return t;
    }
    static const char* const kTwo[] = {"||", "&&", "==", "!=", "<=", ">=", "<<", ">>"};
    for (const char* op : kTwo) {
        if (c == op[0] && at(pos + 1) == op[1]) {
            t.kind = TokenKind::Punct;
            t.text = op;
            pos += 2;
            return t;
        }
    }
    if (std::string_view(",|&()+-*/~!<>^%{}=;").find(c) != std::string_view::npos) {
        t.kind = TokenKind::Punct;
        t.text = std::string(1, c);
        ++pos;
        return t;
    }
    // Show the whole UTF-8 character, not one byte of it.
    std::size_t len = 1;
    while (pos + len < text.size() &&
           (static_cast<unsigned char>(text[pos + len]) & 0xC0) == 0x80) {
        ++len;
    }
    fail(where, "unexpected character '" + text.substr(pos, len) + "'");
}

// Skips blanks and comments on one line; false at its end.
bool skipBlank(const std::string& text, std::size_t& pos) {
    while (pos < text.size()) {
        char c = text[pos];
        if (c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v') {
            ++pos;
        } else if (c == '/' && pos + 1 < text.size() && text[pos + 1] == '/') {
            pos = text.size();
        } else if (c == '/' && pos + 1 < text.size() && text[pos + 1] == '*') {
            std::size_t end = text.find("*/", pos + 2);
            pos = end == std::string::npos ? text.size() : end + 2;
        } else {
            return true;
        }
    }
    return false;
}

std::vector<Token> tokenizeLine(const std::string& line, const SourceLocation& where) {
    std::vector<Token> out;
    std::size_t pos = 0;
    while (skipBlank(line, pos)) {
        out.push_back(lexToken(line, pos, where));
    }
    return out;
}

class VectorSource : public TokenSource {
public:
    VectorSource(std::vector<Token> tokens, const SourceLocation& where)
        : tokens_(std::move(tokens)) {
        end_.where = where;
    }
    const Token& peek() override { return i_ < tokens_.size() ? tokens_[i_] : end_; }
    Token next() override { return i_ < tokens_.size() ? tokens_[i_++] : end_; }

private:
    std::vector<Token> tokens_;
    std::size_t i_ = 0;
    Token end_;
};

class Evaluator {
public:
    Evaluator(TokenSource& in, bool undefinedIsZero) : in_(in), undefinedIsZero_(undefinedIsZero) {}

    std::int64_t binary(int level) {
        if (level > static_cast<int>(Precedence::Multiplicative)) {
            return unary();
        }
        std::int64_t lhs = binary(level + 1);
        while (in_.peek().kind == TokenKind::Punct && atLevel(in_.peek().text, level)) {
            Token op = in_.next();
            std::int64_t rhs = binary(level + 1);
            lhs = apply(op, lhs, rhs);
        }
        return lhs;
    }

private:
    static bool atLevel(const std::string& op, int level) {
        switch (static_cast<Precedence>(level)) {
        case Precedence::LogicalOr:
            return op == "||";
        case Precedence::LogicalAnd:
            return op == "&&";
        case Precedence::BitOr:
            return op == "|";
        case Precedence::BitXor:
            return op == "^";
        case Precedence::BitAnd:
            return op == "&";
        case Precedence::Equality:
            return op == "==" || op == "!=";
        case Precedence::Relational:
            return op == "<" || op == ">" || op == "<=" || op == ">=";
        case Precedence::Shift:
            return op == "<<" || op == ">>";
        case Precedence::Additive:
            return op == "+" || op == "-";
        case Precedence::Multiplicative:
            return op == "*" || op == "/" || op == "%";
        }
        return false;
    }

    static std::int64_t apply(const Token& op, std::int64_t a, std::int64_t b) {
        const std::string& o = op.text;
        if ((o == "/" || o == "%") && b == 0) {
            fail(op.where, "division by zero");
        }
        if ((o == "<<" || o == ">>") && (b < 0 || b > 63)) {
            fail(op.where, "shift count out of range");
        }
        const auto ua = static_cast<std::uint64_t>(a), ub = static_cast<std::uint64_t>(b);
        if (o == "||")
            return a || b;
        if (o == "&&")
            return a && b;
        if (o == "|")
            return static_cast<std::int64_t>(ua | ub);
        if (o == "^")
            return static_cast<std::int64_t>(ua ^ ub);
        if (o == "&")
            return static_cast<std::int64_t>(ua & ub);
        if (o == "==")
            return a == b;
        if (o == "!=")
            return a != b;
        if (o == "<")
            return a < b;
        if (o == ">")
            return a > b;
        if (o == "<=")
            return a <= b;
        if (o == ">=")
            return a >= b;
        if (o == "<<")
            return static_cast<std::int64_t>(ua << b);
        if (o == ">>")
            return a >> b;
        if (o == "+")
            return static_cast<std::int64_t>(ua + ub);
        if (o == "-")
            return static_cast<std::int64_t>(ua - ub);
        if (o == "*")
            return static_cast<std::int64_t>(ua * ub);
        if (o == "/")
            return a / b;
        return a % b;
    }

    std::int64_t unary() {
        const Token& t = in_.peek();
        if (t.kind == TokenKind::Punct) {
            if (t.text == "-") {
                in_.next();
                return static_cast<std::int64_t>(0 - static_cast<std::uint64_t>(unary()));
            }
            if (t.text == "+") {
                in_.next();
                return unary();
            }
            if (t.text == "~") {
                in_.next();
                return ~unary();
            }
            if (t.text == "!") {
                in_.next();
                return !unary();
            }
            if (t.text == "(") {
                in_.next();
                std::int64_t v = binary(0);
                if (!in_.peek().isPunct(")")) {
                    fail(in_.peek().where, "expected ')', found " + describe(in_.peek()));
                }
                in_.next();
                return v;
            }
        }
        if (t.kind == TokenKind::Number) {
            return in_.next().value;
        }
        if (t.kind == TokenKind::Identifier) {
            if (undefinedIsZero_) {
                in_.next();
                return 0;
            }
            fail(t.where,
                 "'" + t.text + "' is not defined (expected a number or a #define'd symbol)");
        }
        fail(t.where, "expected a number or a symbol, found " + describe(t));
    }

    TokenSource& in_;
    bool undefinedIsZero_;
};

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

bool isSystemHeader(std::string name) {
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    name = std::filesystem::path(name).filename().string();
    for (const char* h : {"windows.h", "winres.h", "winresrc.h", "afxres.h", "winuser.h",
                          "commctrl.h", "dlgs.h", "winnt.h", "verrsrc.h"}) {
        if (name == h) {
            return true;
        }
    }
    return false;
}

} // namespace

std::int64_t evaluate(TokenSource& in, Precedence lowest, bool undefinedIsZero) {
    return Evaluator(in, undefinedIsZero).binary(static_cast<int>(lowest));
}

struct Preprocessor::Source {
    std::string name; // as given; used in messages
    std::string dir;  // where its includes and files are looked up first
    std::string text;
    std::size_t pos = 0;
    int line = 1;
    bool lineStart = true;
    bool directivesOnly = false; // headers: only preprocessor lines count, as rc reads them
    std::size_t conditionDepth = 0;
};

Preprocessor::Preprocessor(const Options& options, std::vector<std::string>& dependencies)
    : options_(options), dependencies_(dependencies) {
    defineBuiltinSymbols(macros_);
}

Preprocessor::~Preprocessor() = default;

void Preprocessor::push(std::string text, const std::string& name, bool directivesOnly) {
    if (sources_.size() > 32) {
        fail({name, 1}, "#include nested too deeply");
    }
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        text.erase(0, 3);
    }
    if (!kz::isValidUtf8(text)) {
        int line = 1;
        std::size_t start = 0;
        while (start <= text.size()) {
            std::size_t end = text.find('\n', start);
            std::string_view l(text.data() + start,
                               (end == std::string::npos ? text.size() : end) - start);
            if (!kz::isValidUtf8(l)) {
                break;
            }
            if (end == std::string::npos) {
                break;
            }
            start = end + 1;
            ++line;
        }
        fail({name, line}, "invalid UTF-8 (resource scripts are read as UTF-8)");
    }
    auto s = std::make_unique<Source>();
    s->name = name;
    s->dir = std::filesystem::path(name).parent_path().string();
    s->text = std::move(text);
    s->directivesOnly = directivesOnly;
    s->conditionDepth = conditions_.size();
    sources_.push_back(std::move(s));
}

void Preprocessor::openFile(const std::string& path) {
    std::ifstream probe(path, std::ios::binary);
    if (!probe) {
        fail({path, 0}, "cannot open the resource script");
    }
    push(readFile(path), path, false);
}

void Preprocessor::openText(std::string_view text, const std::string& name) {
    push(std::string(text), name, false);
}

bool Preprocessor::reading() const {
    return conditions_.empty() || conditions_.back().active;
}

const Token& Preprocessor::peek() {
    while (queue_.empty()) {
        Token t = lexOne();
        if (t.kind == TokenKind::Identifier && macros_.count(t.text)) {
            expand(t, 0, queue_);
        } else {
            queue_.push_back(std::move(t));
        }
    }
    return queue_.front();
}

Token Preprocessor::next() {
    peek();
    Token t = std::move(queue_.front());
    queue_.pop_front();
    return t;
}

void Preprocessor::expand(const Token& use, int depth, std::deque<Token>& out) {
    if (depth > 32) {
        fail(use.where, "macro '" + use.text + "' expands too deeply (does it refer to itself?)");
    }
    for (Token t : macros_.at(use.text)) {
        t.where = use.where;
        if (t.kind == TokenKind::Identifier && macros_.count(t.text)) {
            expand(t, depth + 1, out);
        } else {
            out.push_back(std::move(t));
        }
    }
}

Token Preprocessor::lexOne() {
    SourceLocation last;
    while (!sources_.empty()) {
        Source& s = *sources_.back();
        const std::string& x = s.text;
        bool directiveSeen = false;
        while (s.pos < x.size()) {
            const char c = x[s.pos];
            if (c == '\n') {
                ++s.pos;
                ++s.line;
                s.lineStart = true;
            } else if (c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v') {
                ++s.pos;
            } else if (c == '#' && s.lineStart) {
                directive(s);
                directiveSeen = true;
                break;
            } else if (!reading() || s.directivesOnly) {
                while (s.pos < x.size() && x[s.pos] != '\n') {
                    ++s.pos;
                }
                s.lineStart = false;
            } else if (c == '/' && s.pos + 1 < x.size() && x[s.pos + 1] == '/') {
                while (s.pos < x.size() && x[s.pos] != '\n') {
                    ++s.pos;
                }
            } else if (c == '/' && s.pos + 1 < x.size() && x[s.pos + 1] == '*') {
                const SourceLocation start{s.name, s.line};
                std::size_t end = x.find("*/", s.pos + 2);
                if (end == std::string::npos) {
                    fail(start, "expected '*/' to close the comment");
                }
                s.line += static_cast<int>(std::count(x.begin() + static_cast<long>(s.pos),
                                                      x.begin() + static_cast<long>(end), '\n'));
                s.pos = end + 2;
            } else {
                s.lineStart = false;
                return lexToken(x, s.pos, {s.name, s.line});
            }
        }
        if (directiveSeen) {
            continue; // the directive may have opened another file
        }
        if (conditions_.size() > s.conditionDepth) {
            fail(conditions_.back().where, "#if without #endif");
        }
        last = {s.name, s.line};
        sources_.pop_back();
    }
    Token end;
    end.where = last;
    return end;
}

void Preprocessor::directive(Source& s) {
    const SourceLocation where{s.name, s.line};
    std::string line;
    ++s.pos; // '#'
    while (s.pos < s.text.size() && s.text[s.pos] != '\n') {
        if (s.text[s.pos] == '\\' &&
            (s.text.compare(s.pos, 2, "\\\n") == 0 || s.text.compare(s.pos, 3, "\\\r\n") == 0)) {
            s.pos = s.text.find('\n', s.pos) + 1;
            ++s.line;
            line += ' ';
            continue;
        }
        line += s.text[s.pos++];
    }
    std::size_t p = 0;
    while (p < line.size() && (line[p] == ' ' || line[p] == '\t')) {
        ++p;
    }
    std::size_t nameStart = p;
    while (p < line.size() && isIdentChar(line[p])) {
        ++p;
    }
    const std::string name = line.substr(nameStart, p - nameStart);
    const std::string rest = line.substr(p);
    auto args = [&] { return tokenizeLine(rest, where); };

    if (name == "if" || name == "ifdef" || name == "ifndef") {
        const bool parent = reading();
        bool value = false;
        if (parent) {
            if (name == "if") {
                value = condition(args(), where);
            } else {
                auto a = args();
                if (a.size() != 1 || a[0].kind != TokenKind::Identifier) {
                    fail(where, "expected one name after #" + name);
                }
                value = macros_.count(a[0].text) == (name == "ifdef" ? 1u : 0u);
            }
        }
        conditions_.push_back({parent && value, value, parent, false, where});
        return;
    }
    if (name == "elif" || name == "else" || name == "endif") {
        if (conditions_.size() <= s.conditionDepth) {
            fail(where, "#" + name + " without #if");
        }
        Condition& c = conditions_.back();
        if (name == "endif") {
            conditions_.pop_back();
            return;
        }
        if (c.seenElse) {
            fail(where, "#" + name + " after #else");
        }
        if (name == "else") {
            c.seenElse = true;
            c.active = c.parentActive && !c.taken;
            c.taken = true;
        } else if (c.taken || !c.parentActive) {
            c.active = false;
        } else {
            c.active = condition(args(), where);
            c.taken = c.active;
        }
        return;
    }
    if (!reading() || name.empty()) {
        return;
    }
    if (name == "define") {
        auto a = args();
        if (a.empty() || a[0].kind != TokenKind::Identifier) {
            fail(where, "expected a name after #define");
        }
        std::size_t q = rest.find(a[0].text) + a[0].text.size();
        if (q < rest.size() && rest[q] == '(') {
            fail(where, "function-like macros are not supported (#define " + a[0].text + ")");
        }
        macros_[a[0].text] = std::vector<Token>(a.begin() + 1, a.end());
    } else if (name == "undef") {
        auto a = args();
        if (a.size() != 1 || a[0].kind != TokenKind::Identifier) {
            fail(where, "expected one name after #undef");
        }
        macros_.erase(a[0].text);
    } else if (name == "include") {
        std::size_t q = rest.find_first_not_of(" \t");
        const char open = q == std::string::npos ? '\0' : rest[q];
        const char close = open == '"' ? '"' : '>';
        std::size_t e = open == '"' || open == '<' ? rest.find(close, q + 1) : std::string::npos;
        if (e == std::string::npos) {
            fail(where, "expected \"file\" or <file> after #include");
        }
        std::string file = rest.substr(q + 1, e - q - 1);
        std::replace(file.begin(), file.end(), '\\', '/');
        std::vector<std::string> dirs;
        if (open == '"') {
            dirs.push_back(s.dir);
        }
        dirs.insert(dirs.end(), options_.includeDirs.begin(), options_.includeDirs.end());
        for (const std::string& dir : dirs) {
            std::filesystem::path candidate = std::filesystem::path(dir) / file;
            if (std::filesystem::is_regular_file(candidate)) {
                const std::string path = candidate.lexically_normal().string();
                dependencies_.push_back(path);
                const std::string ext = candidate.extension().string();
                push(readFile(path), path, ext == ".h" || ext == ".hpp" || ext == ".c");
                return;
            }
        }
        if (!isSystemHeader(file)) {
            fail(where, "cannot open include file '" + file + "'");
        }
        // Windows headers: their symbols are built in.
    } else if (name == "pragma") {
        auto a = args();
        if (!a.empty() && a[0].is(TokenKind::Identifier, "code_page")) {
            if (a.size() < 4 || !a[1].isPunct("(") || a[2].kind != TokenKind::Number ||
                a[2].value != 65001) {
                fail(where, "only UTF-8 scripts are read: expected code_page(65001)");
            }
        }
    } else if (name == "error") {
        fail(where, "#error" + rest);
    } else {
        fail(where, "unknown directive #" + name);
    }
}

bool Preprocessor::condition(const std::vector<Token>& args, const SourceLocation& where) {
    std::vector<Token> resolved;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i].is(TokenKind::Identifier, "defined")) {
            std::size_t j = i + 1;
            const bool paren = j < args.size() && args[j].isPunct("(");
            if (paren) {
                ++j;
            }
            if (j >= args.size() || args[j].kind != TokenKind::Identifier ||
                (paren && (j + 1 >= args.size() || !args[j + 1].isPunct(")")))) {
                fail(where, "expected a name after 'defined'");
            }
            Token n;
            n.kind = TokenKind::Number;
            n.value = macros_.count(args[j].text) ? 1 : 0;
            n.where = where;
            resolved.push_back(n);
            i = paren ? j + 1 : j;
        } else if (args[i].kind == TokenKind::Identifier && macros_.count(args[i].text)) {
            std::deque<Token> out;
            expand(args[i], 0, out);
            resolved.insert(resolved.end(), out.begin(), out.end());
        } else {
            resolved.push_back(args[i]);
        }
    }
    if (resolved.empty()) {
        fail(where, "expected an expression after #if");
    }
    VectorSource in(std::move(resolved), where);
    const std::int64_t v = evaluate(in, Precedence::LogicalOr, true);
    if (in.peek().kind != TokenKind::End) {
        fail(where, "unexpected " + describe(in.peek()) + " in #if expression");
    }
    return v != 0;
}

} // namespace kzrc
