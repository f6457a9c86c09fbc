#include "rc_generator.h"

#include "win_codepage.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <sstream>
#include <tuple>

namespace kzrc {
namespace {

constexpr std::uint32_t kWsVisible = 0x10000000, kWsTabStop = 0x00010000;

// A wide string literal. Printable characters are written as they are (the file is
// UTF-8), control characters as three-digit octal escapes so that no following digit
// can extend them.
std::string literal(const std::wstring& s) {
    std::string out = "L\"";
    for (wchar_t w : s) {
        const auto c = static_cast<std::uint32_t>(w);
        if (c == '\\' || c == '"') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
        } else if (c < 0xA0 || (c >= 0xD800 && c < 0xE000) || c > 0x10FFFF) {
            char buf[16];
            if (c < 0x100) {
                std::snprintf(buf, sizeof buf, "\\%03o", c);
            } else {
                std::snprintf(buf, sizeof buf, "\\U%08X", c);
            }
            out += buf;
        } else {
            kz::appendUtf8(out, static_cast<char32_t>(c));
        }
    }
    return out + "\"";
}

std::string hex(std::uint32_t v) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%08X", v);
    return buf;
}

struct Entry {
    int type;
    std::uint16_t id;
    std::uint16_t language;
    std::string data;
    std::string size;
    bool operator<(const Entry& o) const {
        return std::tie(type, id, language) < std::tie(o.type, o.id, o.language);
    }
};

void writeStrings(std::ostream& os, const Script& script, std::vector<Entry>& entries) {
    std::vector<const StringDef*> sorted;
    for (const StringDef& s : script.strings) {
        sorted.push_back(&s);
    }
    std::sort(sorted.begin(), sorted.end(), [](const StringDef* a, const StringDef* b) {
        return std::tie(a->language, a->id) < std::tie(b->language, b->id);
    });
    if (!sorted.empty()) {
        os << "const kz::StringResource kStrings[] = {\n";
        for (const StringDef* s : sorted) {
            os << "    {" << s->id << ", " << s->language << ", " << literal(s->text) << ", "
               << s->text.size() << "},\n";
        }
        os << "};\n\n";
    }
    // Blocks of 16: each string as its length followed by its characters.
    std::map<std::pair<std::uint16_t, std::uint16_t>, std::vector<const StringDef*>> blocks;
    for (const StringDef* s : sorted) {
        auto& block = blocks[{s->language, static_cast<std::uint16_t>(s->id / 16 + 1)}];
        block.resize(16);
        block[s->id % 16] = s;
    }
    int n = 0;
    for (const auto& [key, block] : blocks) {
        const std::string name = "kStringBlock" + std::to_string(n++);
        os << "// Strings " << (key.second - 1) * 16 << " to " << (key.second - 1) * 16 + 15
           << ", language " << key.first << ".\n";
        os << "const wchar_t " << name << "[] = {\n";
        for (const StringDef* s : block) {
            os << "    " << (s ? s->text.size() : 0) << ",";
            if (s) {
                for (wchar_t c : s->text) {
                    char buf[16];
                    std::snprintf(buf, sizeof buf, " 0x%X,", static_cast<unsigned>(c));
                    os << buf;
                }
            }
            os << "\n";
        }
        os << "};\n\n";
        entries.push_back({6, key.second, key.first, name, "sizeof " + name});
    }
}

void writeDialogs(std::ostream& os, const Script& script, std::vector<Entry>& entries) {
    if (script.dialogs.empty()) {
        return;
    }
    for (std::size_t d = 0; d < script.dialogs.size(); ++d) {
        const DialogDef& dialog = script.dialogs[d];
        for (std::size_t c = 0; c < dialog.controls.size(); ++c) {
            const ControlDef& control = dialog.controls[c];
            if (control.listItems.empty()) {
                continue;
            }
            os << "const wchar_t* const kList" << d << "_" << c << "[] = {\n";
            for (const std::wstring& item : control.listItems) {
                os << "    " << literal(item) << ",\n";
            }
            os << "};\n\n";
        }
        if (dialog.controls.empty()) {
            continue;
        }
        os << "const kz::DialogControl kControls" << d << "[] = {\n";
        for (std::size_t c = 0; c < dialog.controls.size(); ++c) {
            const ControlDef& k = dialog.controls[c];
            const std::string list = k.listItems.empty()
                                         ? "nullptr"
                                         : "kList" + std::to_string(d) + "_" + std::to_string(c);
            os << "    {.id = " << k.id << ", .className = " << literal(k.className)
               << ", .text = " << literal(k.text) << ", .imageId = " << k.imageId
               << ",\n     .x = " << k.x << ", .y = " << k.y << ", .cx = " << k.cx
               << ", .cy = " << k.cy << ", .style = " << hex(k.style)
               << ", .exStyle = " << hex(k.exStyle) << ", .helpId = " << k.helpId
               << ",\n     .visible = " << ((k.style & kWsVisible) ? "true" : "false")
               << ", .tabStop = " << ((k.style & kWsTabStop) ? "true" : "false")
               << ", .listItems = " << list << ", .listCount = " << k.listItems.size() << "},\n";
        }
        os << "};\n\n";
    }
    os << "const kz::DialogTemplate kDialogs[] = {\n";
    for (std::size_t d = 0; d < script.dialogs.size(); ++d) {
        const DialogDef& g = script.dialogs[d];
        os << "    {.id = " << g.id << ", .language = " << g.language
           << ", .extended = " << (g.extended ? "true" : "false") << ", .style = " << hex(g.style)
           << ", .exStyle = " << hex(g.exStyle) << ", .helpId = " << g.helpId
           << ",\n     .x = " << g.x << ", .y = " << g.y << ", .cx = " << g.cx << ", .cy = " << g.cy
           << ", .caption = " << literal(g.caption) << ", .fontFace = " << literal(g.fontFace)
           << ",\n     .fontPointSize = " << g.fontPointSize << ", .fontWeight = " << g.fontWeight
           << ", .fontItalic = " << int(g.fontItalic) << ", .fontCharset = " << int(g.fontCharset)
           << ",\n     .controls = "
           << (g.controls.empty() ? std::string("nullptr") : "kControls" + std::to_string(d))
           << ", .controlCount = " << g.controls.size() << "},\n";
        entries.push_back({5, g.id, g.language, "&kDialogs[" + std::to_string(d) + "]",
                           "sizeof(kz::DialogTemplate)"});
    }
    os << "};\n\n";
}

void writeBitmaps(std::ostream& os, const Script& script, std::vector<Entry>& entries) {
    for (std::size_t b = 0; b < script.bitmaps.size(); ++b) {
        const BitmapDef& bitmap = script.bitmaps[b];
        const std::string name = "kBitmap" + std::to_string(b);
        os << "// Bitmap " << bitmap.id << ", language " << bitmap.language << ".\n";
        os << "const unsigned char " << name << "[] = {";
        for (std::size_t i = 0; i < bitmap.dib.size(); ++i) {
            os << (i % 32 == 0 ? "\n    " : "") << int(bitmap.dib[i]) << ",";
        }
        os << "\n};\n\n";
        entries.push_back({2, bitmap.id, bitmap.language, name, "sizeof " + name});
    }
}

} // namespace

std::string generateCpp(const Script& script, const GeneratorOptions& options) {
    std::ostringstream os;
    os << "// Generated by kzrc from " << options.sourceName
       << "; edit the resource script, not this file.\n"
       << "#include \"win_resource.h\"\n\n"
       << "namespace {\n\n";
    std::vector<Entry> entries;
    writeStrings(os, script, entries);
    writeDialogs(os, script, entries);
    writeBitmaps(os, script, entries);
    std::sort(entries.begin(), entries.end());
    if (!entries.empty()) {
        os << "const kz::ResourceEntry kEntries[] = {\n";
        for (const Entry& e : entries) {
            os << "    {" << e.type << ", " << e.id << ", " << e.language << ", " << e.data << ", "
               << e.size << "},\n";
        }
        os << "};\n\n";
    }
    os << "} // namespace\n\n";
    os << "extern \"C\" __attribute__((visibility(\"default\"))) const kz::ResourceTable "
       << options.symbol << " = {\n"
       << "    kz::kResourceTableVersion,\n"
       << "    " << (entries.empty() ? "nullptr" : "kEntries") << ", " << entries.size() << ",\n"
       << "    " << (script.strings.empty() ? "nullptr" : "kStrings") << ", "
       << script.strings.size() << ",\n"
       << "    " << (script.dialogs.empty() ? "nullptr" : "kDialogs") << ", "
       << script.dialogs.size() << ",\n"
       << "};\n";
    return os.str();
}

std::string generateDepfile(const std::string& target, const std::vector<std::string>& deps) {
    auto escape = [](const std::string& path) {
        std::string out;
        for (char c : path) {
            if (c == ' ' || c == '#' || c == ':') {
                out += '\\';
            }
            if (c == '$') {
                out += '$';
            }
            out += c;
        }
        return out;
    };
    std::string out = escape(target) + ":";
    for (const std::string& d : deps) {
        out += " \\\n  " + escape(d);
    }
    return out + "\n";
}

} // namespace kzrc
