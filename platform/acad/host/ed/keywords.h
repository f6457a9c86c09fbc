// Keyword lists of the input functions: "Op _ Point" offers the local keyword "Op"
// whose global form is "Point". Input names a local keyword by the whole word or by
// its shortcut, the characters that are not lower-case letters ("O" for "Op", "X" for
// "eXit"; a keyword without lower-case letters must be typed whole); a prefix of the
// keyword that reaches its last such character counts too ("OP"). Case is ignored.
// Input starting with "_" names a global keyword the same way.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kz::ed {

class KeywordList {
public:
    KeywordList() = default;
    // Keywords separated by blanks; "_" starts the global forms, in the same order.
    // Without them the global forms are the local keywords.
    explicit KeywordList(std::wstring_view text);

    bool empty() const { return m_local.empty(); }
    // The global form of the keyword the input names.
    std::optional<std::wstring> match(std::wstring_view input) const;
    // "Op/Point" style list of the local keywords, for messages.
    std::wstring describe() const;
    const std::vector<std::wstring>& localKeywords() const { return m_local; }
    const std::vector<std::wstring>& globalKeywords() const { return m_global; }

private:
    std::vector<std::wstring> m_local, m_global;
};

// Whether the input names the keyword by the rules above.
bool keywordMatches(std::wstring_view keyword, std::wstring_view input);

} // namespace kz::ed
