#include "shell_command.h"

#include "ed/line_source.h"
#include "ed/script_input.h"
#include "host_run.h"
#include "win_codepage.h"

#include <readline/history.h>
#include <readline/readline.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <utility>

namespace kz::app {

namespace {

// Writes whole lines to the terminal and keeps the unfinished last line, which
// readline shows as its prompt so that editing redraws it.
class TerminalWriter {
public:
    void write(const std::wstring& text) {
        m_pending += text;
        std::size_t nl = m_pending.rfind(L'\n');
        if (nl == std::wstring::npos)
            return;
        std::string out = kz::wideToUtf8(m_pending.substr(0, nl + 1));
        std::fwrite(out.data(), 1, out.size(), stdout);
        std::fflush(stdout);
        m_pending.erase(0, nl + 1);
    }
    std::wstring takePending() { return std::exchange(m_pending, std::wstring()); }
    void flush() {
        if (!m_pending.empty())
            write(takePending() + L"\n");
    }

private:
    std::wstring m_pending;
};

class TerminalSource : public kz::ed::LineSource {
public:
    TerminalSource(std::shared_ptr<TerminalWriter> writer, std::string historyFile)
        : m_writer(std::move(writer)), m_historyFile(std::move(historyFile)) {
        if (!m_historyFile.empty())
            read_history(m_historyFile.c_str());
    }
    ~TerminalSource() override {
        if (!m_historyFile.empty())
            write_history(m_historyFile.c_str());
    }

    std::optional<kz::ed::SourceLine> next(const std::wstring&) override {
        std::string prompt = kz::wideToUtf8(m_writer->takePending());
        char* line = readline(prompt.c_str());
        if (line == nullptr) {
            std::fputs("\n", stdout);
            return std::nullopt;
        }
        std::string text = line;
        std::free(line);
        if (!text.empty())
            add_history(text.c_str());
        ++m_number;
        std::wstring wide = kz::ed::trimmed(kz::utf8ToWide(text));
        if (kz::ed::isCommentLine(wide))
            return next(L"");
        return kz::ed::SourceLine{wide, L"terminal:" + std::to_wstring(m_number)};
    }
    bool interactive() const override { return true; }
    bool showsInput() const override { return true; }

private:
    std::shared_ptr<TerminalWriter> m_writer;
    std::string m_historyFile;
    int m_number = 0;
};

} // namespace

int runShell(int argc, char** argv) {
    RunOptions options;
    if (!parseRunOptions("shell", argc, argv, false, options))
        return 2;
    std::setlocale(LC_ALL, "");
    auto writer = std::make_shared<TerminalWriter>();
    const char* home = std::getenv("HOME");
    std::string history = home ? std::string(home) + "/.kzdim_history" : std::string();
    int status = runHost(options, std::make_unique<TerminalSource>(writer, history),
                         [writer](const std::wstring& text) { writer->write(text); });
    writer->flush();
    return status;
}

} // namespace kz::app
