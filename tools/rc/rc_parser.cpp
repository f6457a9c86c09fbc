// Resource statements: LANGUAGE, STRINGTABLE, DIALOG/DIALOGEX, DLGINIT list data and
// BITMAP. List data is written as "control-id, \"text\"" lines, one entry each, in the
// order the list shows them.
#include "rc_lexer.h"
#include "rc_symbols.h"

#include "win_codepage.h"

#include <filesystem>
#include <functional>
#include <fstream>
#include <iterator>
#include <map>

namespace kzrc {
namespace {

constexpr std::uint32_t kWsPopup = 0x80000000, kWsChild = 0x40000000, kWsVisible = 0x10000000,
                        kWsCaption = 0x00C00000, kWsBorder = 0x00800000, kWsSysMenu = 0x00080000,
                        kWsGroup = 0x00020000, kWsTabStop = 0x00010000, kDsSetFont = 0x40;

struct ControlKind {
    const char* keyword;
    bool hasText; // the first argument is the label
    const wchar_t* className;
    std::uint32_t defaults; // beside WS_CHILD | WS_VISIBLE
};

const ControlKind kControlKinds[] = {
    {"LTEXT", true, L"Static", 0x0 | kWsGroup},
    {"RTEXT", true, L"Static", 0x2 | kWsGroup},
    {"CTEXT", true, L"Static", 0x1 | kWsGroup},
    {"PUSHBUTTON", true, L"Button", 0x0 | kWsTabStop},
    {"DEFPUSHBUTTON", true, L"Button", 0x1 | kWsTabStop},
    {"PUSHBOX", true, L"Button", 0xA | kWsTabStop},
    {"CHECKBOX", true, L"Button", 0x2 | kWsTabStop},
    {"AUTOCHECKBOX", true, L"Button", 0x3 | kWsTabStop},
    {"STATE3", true, L"Button", 0x5 | kWsTabStop},
    {"AUTO3STATE", true, L"Button", 0x6 | kWsTabStop},
    {"RADIOBUTTON", true, L"Button", 0x4 | kWsTabStop},
    {"AUTORADIOBUTTON", true, L"Button", 0x9 | kWsTabStop},
    {"GROUPBOX", true, L"Button", 0x7},
    {"EDITTEXT", false, L"Edit", 0x0 | kWsBorder | kWsTabStop},
    {"COMBOBOX", false, L"ComboBox", 0x1 | kWsTabStop},
    {"LISTBOX", false, L"ListBox", 0x1 | kWsBorder},
    {"SCROLLBAR", false, L"ScrollBar", 0x0},
};

std::string languageText(std::uint16_t language) {
    return std::to_string(language);
}

std::uint32_t readLe32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return std::uint32_t(b[at]) | std::uint32_t(b[at + 1]) << 8 | std::uint32_t(b[at + 2]) << 16 |
           std::uint32_t(b[at + 3]) << 24;
}

struct ListEntry {
    std::uint16_t dialogId;
    std::uint16_t language;
    int controlId;
    std::wstring text;
    SourceLocation where;
};

class Parser {
public:
    Parser(Preprocessor& in, Script& out, const Options& options)
        : in_(in), out_(out), options_(options), language_(options.defaultLanguage) {}

    void run() {
        while (in_.peek().kind != TokenKind::End) {
            statement();
        }
        attachLists();
    }

private:
    // --- tokens -------------------------------------------------------------------------

    [[noreturn]] void expected(const std::string& what) {
        fail(in_.peek().where, "expected " + what + ", found " + describe(in_.peek()));
    }

    bool accept(std::string_view punct) {
        if (in_.peek().isPunct(punct)) {
            in_.next();
            return true;
        }
        return false;
    }

    void comma(const std::string& before) {
        if (!accept(",")) {
            expected("',' before " + before);
        }
    }

    bool atBegin() { return in_.peek().isKeyword("BEGIN") || in_.peek().isPunct("{"); }
    bool atEnd() { return in_.peek().isKeyword("END") || in_.peek().isPunct("}"); }

    void begin() {
        if (!atBegin()) {
            expected("BEGIN");
        }
        in_.next();
    }

    std::int64_t number() { return evaluate(in_, Precedence::LogicalOr, false); }

    std::int64_t ranged(const std::string& what, std::int64_t low, std::int64_t high) {
        const SourceLocation where = in_.peek().where;
        const std::int64_t v = number();
        if (v < low || v > high) {
            fail(where, what + " " + std::to_string(v) + " is out of range (expected " +
                            std::to_string(low) + " to " + std::to_string(high) + ")");
        }
        return v;
    }

    std::uint16_t ordinal(const std::string& what) {
        return static_cast<std::uint16_t>(ranged(what, 0, 0xFFFF));
    }
    int coordinate(const std::string& what) {
        return static_cast<int>(ranged(what, -32768, 32767));
    }
    std::uint32_t dword(const std::string& what) {
        return static_cast<std::uint32_t>(ranged(what, -0x80000000LL, 0xFFFFFFFFLL));
    }

    std::wstring text(const std::string& what) {
        if (in_.peek().kind != TokenKind::String) {
            expected(what + " in double quotes");
        }
        return in_.next().str;
    }

    // A style: terms joined by '|', each OR-ed into `base`, or cleared from it when
    // written "NOT term".
    std::uint32_t style(std::uint32_t base) {
        std::uint32_t value = base;
        do {
            if (in_.peek().isKeyword("NOT")) {
                in_.next();
                value &= ~static_cast<std::uint32_t>(evaluate(in_, Precedence::BitXor, false));
            } else {
                value |= static_cast<std::uint32_t>(evaluate(in_, Precedence::BitXor, false));
            }
        } while (accept("|"));
        return value;
    }

    std::uint16_t languagePair() {
        const auto primary = ranged("primary language", 0, 0x3FF);
        comma("the sublanguage");
        const auto sub = ranged("sublanguage", 0, 0x3F);
        return static_cast<std::uint16_t>(sub << 10 | primary);
    }

    void memoryOptions() {
        static const char* const kIgnored[] = {"DISCARDABLE", "MOVEABLE", "FIXED",
                                               "PURE",        "IMPURE",   "PRELOAD",
                                               "LOADONCALL",  "SHARED",   "NONSHARED"};
        bool more = true;
        while (more) {
            more = false;
            for (const char* k : kIgnored) {
                if (in_.peek().isKeyword(k)) {
                    in_.next();
                    more = true;
                }
            }
        }
    }

    // --- statements ---------------------------------------------------------------------

    void statement() {
        const Token& t = in_.peek();
        if (t.isKeyword("LANGUAGE")) {
            in_.next();
            language_ = languagePair();
            return;
        }
        if (t.isKeyword("STRINGTABLE")) {
            in_.next();
            stringTable();
            return;
        }
        const SourceLocation where = t.where;
        const std::uint16_t id = ordinal("resource id");
        const Token type = in_.next();
        if (type.isKeyword("DIALOGEX") || type.isKeyword("DIALOG")) {
            dialog(id, where, type.isKeyword("DIALOGEX"));
        } else if (type.isKeyword("BITMAP")) {
            bitmap(id, where);
        } else if (type.isKeyword("DLGINIT")) {
            listData(id);
        } else {
            fail(type.where, "expected a resource type (DIALOGEX, DIALOG, BITMAP or DLGINIT) "
                             "after resource id " +
                                 std::to_string(id) + ", found " + describe(type));
        }
    }

    void stringTable() {
        memoryOptions();
        std::uint16_t language = language_;
        while (!atBegin()) {
            if (in_.peek().isKeyword("LANGUAGE")) {
                in_.next();
                language = languagePair();
            } else if (in_.peek().isKeyword("CHARACTERISTICS") || in_.peek().isKeyword("VERSION")) {
                in_.next();
                number();
            } else {
                expected("BEGIN");
            }
        }
        begin();
        while (!atEnd()) {
            if (in_.peek().kind == TokenKind::End) {
                expected("END");
            }
            StringDef s;
            s.where = in_.peek().where;
            s.id = ordinal("string id");
            s.language = language;
            accept(",");
            s.text = text("the text of string " + std::to_string(s.id));
            auto [it, added] = stringsSeen_.emplace(std::pair{s.language, s.id}, s.where);
            if (!added) {
                fail(s.where, "string " + std::to_string(s.id) + " is defined twice in language " +
                                  languageText(language) + " (first at " + it->second.file + ":" +
                                  std::to_string(it->second.line) + ")");
            }
            out_.strings.push_back(std::move(s));
        }
        in_.next();
    }

    void dialog(std::uint16_t id, const SourceLocation& where, bool extended) {
        DialogDef d;
        d.id = id;
        d.language = language_;
        d.extended = extended;
        d.where = where;
        memoryOptions();
        d.x = coordinate("x");
        comma("y");
        d.y = coordinate("y");
        comma("width");
        d.cx = coordinate("width");
        comma("height");
        d.cy = coordinate("height");
        if (extended && accept(",")) {
            d.helpId = dword("help id");
        }
        d.style = kWsPopup | kWsBorder | kWsSysMenu;
        bool hasCaption = false, hasFont = false;
        while (!atBegin()) {
            const Token& t = in_.peek();
            if (t.isKeyword("STYLE")) {
                in_.next();
                d.style = style(0);
            } else if (t.isKeyword("EXSTYLE")) {
                in_.next();
                d.exStyle = style(0);
            } else if (t.isKeyword("CAPTION")) {
                in_.next();
                d.caption = text("the caption");
                hasCaption = true;
            } else if (t.isKeyword("FONT")) {
                in_.next();
                d.fontPointSize = ordinal("font size");
                comma("the font name");
                d.fontFace = text("the font name");
                hasFont = true;
                if (extended && accept(",")) {
                    d.fontWeight = ordinal("font weight");
                    if (accept(",")) {
                        d.fontItalic = static_cast<std::uint8_t>(ranged("italic flag", 0, 255));
                        if (accept(",")) {
                            d.fontCharset = static_cast<std::uint8_t>(ranged("charset", 0, 255));
                        }
                    }
                }
            } else if (t.isKeyword("LANGUAGE")) {
                in_.next();
                d.language = languagePair();
            } else if (t.isKeyword("CHARACTERISTICS") || t.isKeyword("VERSION")) {
                in_.next();
                number();
            } else {
                expected("STYLE, EXSTYLE, CAPTION, FONT, LANGUAGE or BEGIN in dialog " +
                         std::to_string(id));
            }
        }
        if (hasCaption) {
            d.style |= kWsCaption;
        }
        if (hasFont) {
            d.style |= kDsSetFont;
        }
        begin();
        std::map<int, SourceLocation> ids;
        while (!atEnd()) {
            ControlDef c = control(id);
            if (c.id != -1 && c.id != 0xFFFF) {
                auto [it, added] = ids.emplace(c.id, c.where);
                if (!added) {
                    fail(c.where, "control id " + std::to_string(c.id) +
                                      " appears twice in dialog " + std::to_string(id) +
                                      " (first at line " + std::to_string(it->second.line) + ")");
                }
            }
            d.controls.push_back(std::move(c));
        }
        in_.next();
        for (const DialogDef& other : out_.dialogs) {
            if (other.id == d.id && other.language == d.language) {
                fail(where, "dialog " + std::to_string(id) + " is defined twice in language " +
                                languageText(d.language) + " (first at line " +
                                std::to_string(other.where.line) + ")");
            }
        }
        out_.dialogs.push_back(std::move(d));
    }

    ControlDef control(std::uint16_t dialogId) {
        if (in_.peek().kind == TokenKind::End) {
            expected("END to close dialog " + std::to_string(dialogId));
        }
        const Token kw = in_.next();
        ControlDef c;
        c.where = kw.where;
        const std::uint32_t base = kWsChild | kWsVisible;
        if (kw.isKeyword("CONTROL")) {
            if (in_.peek().kind == TokenKind::String) {
                c.text = in_.next().str;
            } else {
                c.imageId = ordinal("image id");
            }
            comma("the control id");
            c.id = controlId();
            comma("the class name");
            c.className = className();
            comma("the style");
            c.style = style(base);
            comma("x");
            rectangle(c);
            if (accept(",")) {
                c.exStyle = style(0);
                if (accept(",")) {
                    c.helpId = dword("help id");
                }
            }
            return c;
        }
        const ControlKind* kind = nullptr;
        for (const ControlKind& k : kControlKinds) {
            if (kw.isKeyword(k.keyword)) {
                kind = &k;
            }
        }
        if (kind == nullptr) {
            fail(kw.where,
                 "expected a control statement (LTEXT, RTEXT, CTEXT, EDITTEXT, COMBOBOX, "
                 "PUSHBUTTON, DEFPUSHBUTTON, GROUPBOX, AUTOCHECKBOX, CONTROL, ...) or END "
                 "in dialog " +
                     std::to_string(dialogId) + ", found " + describe(kw));
        }
        c.className = kind->className;
        if (kind->hasText) {
            c.text = text("the text of " + kw.text);
            comma("the control id");
        }
        c.id = controlId();
        comma("x");
        rectangle(c);
        c.style = base | kind->defaults;
        if (accept(",")) {
            c.style = style(c.style);
            if (accept(",")) {
                c.exStyle = style(0);
                if (accept(",")) {
                    c.helpId = dword("help id");
                }
            }
        }
        return c;
    }

    int controlId() { return static_cast<int>(ranged("control id", -1, 0xFFFF)); }

    std::wstring className() {
        const Token& t = in_.peek();
        if (t.kind == TokenKind::String) {
            return canonicalClassName(in_.next().str);
        }
        for (const char* k : {"BUTTON", "EDIT", "STATIC", "LISTBOX", "SCROLLBAR", "COMBOBOX"}) {
            if (t.isKeyword(k)) {
                return canonicalClassName(kz::utf8ToWide(in_.next().text));
            }
        }
        expected("a class name (\"Button\", \"Edit\", \"Static\", \"ComboBox\", ...)");
    }

    void rectangle(ControlDef& c) {
        c.x = coordinate("x");
        comma("y");
        c.y = coordinate("y");
        comma("width");
        c.cx = coordinate("width");
        comma("height");
        c.cy = coordinate("height");
    }

    void bitmap(std::uint16_t id, const SourceLocation& where) {
        memoryOptions();
        const Token f = in_.peek();
        const std::string file = kz::wideToUtf8(text("the bitmap file name"));
        std::vector<std::string> dirs{std::filesystem::path(f.where.file).parent_path().string()};
        dirs.insert(dirs.end(), options_.includeDirs.begin(), options_.includeDirs.end());
        std::string path;
        for (const std::string& dir : dirs) {
            std::filesystem::path candidate = std::filesystem::path(dir) / file;
            if (std::filesystem::is_regular_file(candidate)) {
                path = candidate.lexically_normal().string();
                break;
            }
        }
        if (path.empty()) {
            fail(f.where, "cannot open bitmap file '" + file + "'");
        }
        std::ifstream in(path, std::ios::binary);
        std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                        std::istreambuf_iterator<char>()};
        // BITMAPFILEHEADER (14 bytes: "BM", size, reserved, offset of the pixels), then
        // the DIB header whose first field is its own size.
        if (bytes.size() < 14 + 12 || bytes[0] != 'B' || bytes[1] != 'M') {
            fail(f.where, "'" + file + "' is not a BMP file (expected the 'BM' header)");
        }
        const std::uint32_t headerSize = readLe32(bytes, 14);
        if (headerSize < 12 || 14 + std::uint64_t(headerSize) > bytes.size() ||
            readLe32(bytes, 10) > bytes.size()) {
            fail(f.where, "'" + file + "' is truncated or its header is damaged");
        }
        for (const BitmapDef& other : out_.bitmaps) {
            if (other.id == id && other.language == language_) {
                fail(where, "bitmap " + std::to_string(id) + " is defined twice");
            }
        }
        out_.dependencies.push_back(path);
        BitmapDef b;
        b.id = id;
        b.language = language_;
        b.dib.assign(bytes.begin() + 14, bytes.end());
        b.where = where;
        out_.bitmaps.push_back(std::move(b));
    }

    void listData(std::uint16_t dialogId) {
        memoryOptions();
        begin();
        while (!atEnd()) {
            if (in_.peek().kind == TokenKind::End) {
                expected("END");
            }
            ListEntry e;
            e.where = in_.peek().where;
            e.dialogId = dialogId;
            e.language = language_;
            e.controlId = controlId();
            comma("the list entry text");
            e.text = text("the list entry text (entries read: control-id, \"text\")");
            accept(",");
            lists_.push_back(std::move(e));
        }
        in_.next();
    }

    void attachLists() {
        for (ListEntry& e : lists_) {
            DialogDef* dialog = nullptr;
            for (DialogDef& d : out_.dialogs) {
                if (d.id == e.dialogId && d.language == e.language) {
                    dialog = &d;
                }
            }
            if (dialog == nullptr) {
                fail(e.where, "list data for dialog " + std::to_string(e.dialogId) +
                                  ", but there is no dialog " + std::to_string(e.dialogId) +
                                  " in language " + languageText(e.language));
            }
            ControlDef* control = nullptr;
            for (ControlDef& c : dialog->controls) {
                if (c.id == e.controlId) {
                    control = &c;
                    break;
                }
            }
            if (control == nullptr) {
                fail(e.where, "dialog " + std::to_string(e.dialogId) + " has no control " +
                                  std::to_string(e.controlId) + " to fill");
            }
            if (control->className != L"ComboBox" && control->className != L"ListBox") {
                fail(e.where, "control " + std::to_string(e.controlId) + " of dialog " +
                                  std::to_string(e.dialogId) +
                                  " is not a combo box or list box (expected one to fill)");
            }
            control->listItems.push_back(std::move(e.text));
        }
    }

    Preprocessor& in_;
    Script& out_;
    const Options& options_;
    std::uint16_t language_;
    std::map<std::pair<std::uint16_t, std::uint16_t>, SourceLocation> stringsSeen_;
    std::vector<ListEntry> lists_;
};

Script compile(const std::function<void(Preprocessor&)>& open, const Options& options) {
    Script script;
    Preprocessor in(options, script.dependencies);
    open(in);
    Parser(in, script, options).run();
    return script;
}

} // namespace

Script compileFile(const std::string& path, const Options& options) {
    return compile([&](Preprocessor& in) { in.openFile(path); }, options);
}

Script compileText(std::string_view text, const std::string& fileName, const Options& options) {
    return compile([&](Preprocessor& in) { in.openText(text, fileName); }, options);
}

} // namespace kzrc
