#include "ed/keywords.h"

#include <cwctype>

namespace kz::ed {

namespace {

wchar_t upper(wchar_t c) {
    return static_cast<wchar_t>(std::towupper(static_cast<wint_t>(c)));
}

bool equalNoCase(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (upper(a[i]) != upper(b[i]))
            return false;
    }
    return true;
}

bool isLower(wchar_t c) {
    return std::iswlower(static_cast<wint_t>(c)) != 0;
}

std::vector<std::wstring> words(std::wstring_view text) {
    std::vector<std::wstring> out;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && (text[i] == L' ' || text[i] == L'\t'))
            ++i;
        std::size_t start = i;
        while (i < text.size() && text[i] != L' ' && text[i] != L'\t')
            ++i;
        if (i > start)
            out.emplace_back(text.substr(start, i - start));
    }
    return out;
}

} // namespace

bool keywordMatches(std::wstring_view keyword, std::wstring_view input) {
    if (input.empty() || keyword.empty())
        return false;
    if (equalNoCase(keyword, input))
        return true;
    std::wstring shortcut;
    std::size_t lastMark = std::wstring_view::npos;
    bool hasLower = false;
    for (std::size_t i = 0; i < keyword.size(); ++i) {
        if (isLower(keyword[i])) {
            hasLower = true;
        } else {
            shortcut += keyword[i];
            lastMark = i;
        }
    }
    if (!hasLower || shortcut.empty())
        return false;
    if (equalNoCase(shortcut, input))
        return true;
    return input.size() > lastMark && input.size() <= keyword.size() &&
           equalNoCase(keyword.substr(0, input.size()), input);
}

KeywordList::KeywordList(std::wstring_view text) {
    bool global = false;
    for (std::wstring& w : words(text)) {
        if (w == L"_") {
            global = true;
            continue;
        }
        (global ? m_global : m_local).push_back(std::move(w));
    }
}

std::optional<std::wstring> KeywordList::match(std::wstring_view input) const {
    if (!input.empty() && input[0] == L'_') {
        std::wstring_view name = input.substr(1);
        const std::vector<std::wstring>& globals = m_global.empty() ? m_local : m_global;
        for (const std::wstring& k : globals) {
            if (keywordMatches(k, name))
                return k;
        }
        return std::nullopt;
    }
    for (std::size_t i = 0; i < m_local.size(); ++i) {
        if (keywordMatches(m_local[i], input))
            return i < m_global.size() ? m_global[i] : m_local[i];
    }
    return std::nullopt;
}

std::wstring KeywordList::describe() const {
    std::wstring out;
    for (const std::wstring& k : m_local) {
        if (!out.empty())
            out += L'/';
        out += k;
    }
    return out;
}

} // namespace kz::ed
