#include "ed/line_source.h"
#include "ed/script_input.h"
#include "win_codepage.h"

#include <fstream>
#include <sstream>

namespace kz::ed {

ScriptSource::ScriptSource(std::wstring name, const std::wstring& text) : m_name(std::move(name)) {
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t nl = text.find(L'\n', start);
        if (nl == std::wstring::npos) {
            if (start < text.size())
                m_lines.push_back(text.substr(start));
            break;
        }
        m_lines.push_back(text.substr(start, nl - start));
        start = nl + 1;
    }
}

std::optional<SourceLine> ScriptSource::next(const std::wstring&) {
    while (m_pos < m_lines.size()) {
        std::size_t number = ++m_pos;
        std::wstring text = trimmed(m_lines[number - 1]);
        if (isCommentLine(text))
            continue;
        return SourceLine{std::move(text), m_name + L":" + std::to_wstring(number)};
    }
    return std::nullopt;
}

std::unique_ptr<ScriptSource> loadScriptFile(const std::string& path, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = path + ": cannot read the script";
        return nullptr;
    }
    std::ostringstream bytes;
    bytes << in.rdbuf();
    std::string data = bytes.str();
    if (data.rfind("\xEF\xBB\xBF", 0) == 0)
        data.erase(0, 3);
    // Each line on its own, so that the message names the line that is not UTF-8.
    std::size_t start = 0;
    for (std::size_t line = 1; start < data.size(); ++line) {
        std::size_t nl = data.find('\n', start);
        std::size_t end = nl == std::string::npos ? data.size() : nl;
        if (!kz::isValidUtf8(std::string_view(data).substr(start, end - start))) {
            error = path + ":" + std::to_string(line) + ": expected UTF-8 text";
            return nullptr;
        }
        start = end + 1;
    }
    return std::make_unique<ScriptSource>(kz::utf8ToWide(path), kz::utf8ToWide(data));
}

} // namespace kz::ed
