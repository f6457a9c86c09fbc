// The transcript: everything the host shows on its command line and text window, in
// order (prompts, echoed input, printed text, message boxes, dialogs). It is kept whole
// for tests and passed on as it is written to a sink (standard output).
#pragma once

#include <functional>
#include <string>

namespace kz::ed {

class Transcript {
public:
    using Sink = std::function<void(const std::wstring& text)>;

    void setSink(Sink sink) { m_sink = std::move(sink); }
    // Shown text: recorded and passed to the sink.
    void write(const std::wstring& text);
    // Text that is already on the screen (what a person typed at a terminal): recorded
    // only.
    void record(const std::wstring& text);
    // Starts a new line unless the last one is empty.
    void newLine();

    const std::wstring& text() const { return m_text; }
    bool atLineStart() const { return m_text.empty() || m_text.back() == L'\n'; }
    // The text written since the last line break.
    std::wstring currentLine() const;
    void clear() { m_text.clear(); }

private:
    std::wstring m_text;
    Sink m_sink;
};

} // namespace kz::ed
