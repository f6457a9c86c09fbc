// Where command-line input comes from: a script file (one input a line) or a person
// at a terminal. Comment lines ("#" followed by a space, or "#" alone) never reach the
// editor.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kz::ed {

struct SourceLine {
    std::wstring text;  // without the line break, surrounding blanks removed
    std::wstring where; // "file:line" for messages
};

class LineSource {
public:
    virtual ~LineSource() = default;
    // The next input line, or nullopt at the end. currentLine is what the transcript
    // shows on the line the input goes on (a terminal uses it as its prompt).
    virtual std::optional<SourceLine> next(const std::wstring& currentLine) = 0;
    // A person answers: invalid input is asked for again instead of stopping the run.
    virtual bool interactive() const { return false; }
    // The typed text is on the screen already; the transcript records it without
    // writing it out again.
    virtual bool showsInput() const { return false; }
};

// Lines of a script held in memory. name names the script in messages.
class ScriptSource : public LineSource {
public:
    ScriptSource(std::wstring name, const std::wstring& text);
    std::optional<SourceLine> next(const std::wstring& currentLine) override;

private:
    std::wstring m_name;
    std::vector<std::wstring> m_lines;
    std::size_t m_pos = 0;
};

// A script file, UTF-8 with or without a byte-order mark. Null with error set when the
// file cannot be read or is not UTF-8 text.
std::unique_ptr<ScriptSource> loadScriptFile(const std::string& path, std::string& error);

} // namespace kz::ed
