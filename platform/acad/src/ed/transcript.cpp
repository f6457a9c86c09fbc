#include "ed/transcript.h"

namespace kz::ed {

void Transcript::write(const std::wstring& text) {
    if (text.empty())
        return;
    m_text += text;
    if (m_sink)
        m_sink(text);
}

void Transcript::record(const std::wstring& text) {
    m_text += text;
}

void Transcript::newLine() {
    if (!atLineStart())
        write(L"\n");
}

std::wstring Transcript::currentLine() const {
    std::size_t nl = m_text.rfind(L'\n');
    return nl == std::wstring::npos ? m_text : m_text.substr(nl + 1);
}

} // namespace kz::ed
