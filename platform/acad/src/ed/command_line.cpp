#include "ed/command_line.h"
#include "ed/drawing_view.h"
#include "ed/host_messages.h"
#include "ed/script_input.h"

#include "adscodes.h"
#include "win_host_io.h"
#include "win_host_options.h"

namespace kz::ed {

namespace {

bool isInputEnd(wchar_t c, bool blanksAllowed) {
    if (c == L'\n' || c == L'\r')
        return true;
    return !blanksAllowed && (c == L' ' || c == L'\t');
}

Input classify(std::wstring text, std::wstring where) {
    Input in;
    in.where = std::move(where);
    if (text.empty()) {
        in.kind = InputKind::Enter;
    } else if (isCancelText(text)) {
        in.kind = InputKind::Cancel;
    } else {
        in.kind = InputKind::Text;
        in.text = std::move(text);
    }
    return in;
}

} // namespace

CommandLine& CommandLine::get() {
    static CommandLine instance;
    return instance;
}

void CommandLine::reset() {
    m_transcript = Transcript();
    m_source.reset();
    m_queue.clear();
    m_stopped = false;
    m_error.clear();
    m_lastWhere.clear();
    m_initGet = InitGet{};
    m_lastKeyword.clear();
    m_lastPoint = AcGePoint3d();
    m_commandDepth = 0;
}

void CommandLine::setSource(std::unique_ptr<LineSource> source) {
    m_source = std::move(source);
}

void CommandLine::queue(const std::wstring& text, bool echo) {
    if (!text.empty())
        m_queue.push_back(Queued{text, echo});
}

std::optional<Input> CommandLine::takeQueued(bool blanksAllowed, bool& echo) {
    if (m_queue.empty())
        return std::nullopt;
    Queued& front = m_queue.front();
    echo = front.echo;
    std::wstring where = m_lastWhere.empty() ? L"sent text" : m_lastWhere + L" (sent text)";
    Input in;
    if (front.text[0] == L'\x03') {
        front.text.erase(0, 1);
        in.kind = InputKind::Cancel;
        in.where = where;
    } else {
        std::size_t end = 0;
        while (end < front.text.size() && !isInputEnd(front.text[end], blanksAllowed) &&
               front.text[end] != L'\x03')
            ++end;
        std::wstring token = front.text.substr(0, end);
        bool terminated = end < front.text.size() && front.text[end] != L'\x03';
        front.text.erase(0, terminated ? end + 1 : end);
        in = classify(trimmed(token), where);
    }
    if (front.text.empty())
        m_queue.pop_front();
    return in;
}

void CommandLine::echo(const Input& in, bool showIt, bool typedAtTerminal) {
    std::wstring shown;
    if (in.kind == InputKind::Text)
        shown = in.text;
    else if (in.kind == InputKind::Cancel && typedAtTerminal)
        shown = L"*CANCEL*";
    if (in.kind == InputKind::Cancel && !typedAtTerminal)
        return; // the prompt's "*Cancel*" answer says it
    if (typedAtTerminal)
        m_transcript.record(shown + L"\n");
    else if (showIt)
        m_transcript.write(shown + L"\n");
    else
        m_transcript.write(L"\n");
}

Input CommandLine::read(const std::wstring& prompt, bool blanksAllowed) {
    m_transcript.write(prompt);
    if (m_stopped)
        return Input{};
    bool showIt = true;
    if (std::optional<Input> q = takeQueued(blanksAllowed, showIt)) {
        echo(*q, showIt, false);
        return *q;
    }
    if (!m_source)
        return Input{};
    std::optional<SourceLine> line = m_source->next(m_transcript.currentLine());
    if (!line)
        return Input{};
    m_lastWhere = line->where;
    Input in = classify(std::move(line->text), line->where);
    echo(in, true, m_source->showsInput());
    return in;
}

std::optional<std::wstring> CommandLine::readDialogLine(const std::wstring& prompt) {
    m_transcript.write(prompt);
    std::optional<SourceLine> line;
    if (!m_stopped && m_source)
        line = m_source->next(m_transcript.currentLine());
    if (!line) {
        m_transcript.newLine();
        return std::nullopt;
    }
    m_lastWhere = line->where;
    if (m_source->showsInput())
        m_transcript.record(line->text + L"\n");
    else
        m_transcript.write(line->text + L"\n");
    return line->text;
}

int CommandLine::ask(const std::wstring& prompt, const Handler& handle, bool blanksAllowed) {
    std::wstring shown = prompt;
    for (;;) {
        Input in = read(shown, blanksAllowed);
        if (in.kind == InputKind::Cancel || in.kind == InputKind::End) {
            m_transcript.write(std::wstring(msg(Msg::Cancel)) + L"\n");
            return RTCAN;
        }
        Refusal refusal;
        if (std::optional<int> result = handle(in, refusal))
            return *result;
        if (!refuse(in, refusal)) {
            m_transcript.write(std::wstring(msg(Msg::Cancel)) + L"\n");
            return RTCAN;
        }
        shown = repeatPrompt(prompt);
    }
}

bool CommandLine::refuse(const Input& in, const Refusal& refusal) {
    m_transcript.newLine();
    if (!refusal.answer.empty())
        m_transcript.write(refusal.answer + L"\n");
    if (interactive() && !m_stopped)
        return true;
    // A line of thousands of characters is named by its start and its length: the
    // message stays one readable line.
    std::wstring got = L"an empty line";
    if (in.kind == InputKind::Text && in.text.size() > 80)
        got = L"\"" + in.text.substr(0, 60) + L"...\" (" + std::to_wstring(in.text.size()) +
              L" characters)";
    else if (in.kind == InputKind::Text)
        got = L"\"" + in.text + L"\"";
    stop(in.where, L"expected " + refusal.expected + L", got " + got);
    return false;
}

void CommandLine::stop(const std::wstring& where, const std::wstring& message) {
    if (m_stopped)
        return;
    m_stopped = true;
    m_error = where.empty() ? message : where + L": " + message;
    m_queue.clear();
}

void CommandLine::pointGiven(const AcGePoint3d& point) {
    m_lastPoint = point;
    const DrawingView& view = drawingView();
    POINT pixel = view.toPixel(point);
    kz::setCursorPos(pixel.x + view.screenLeft, pixel.y + view.screenTop);
}

std::wstring repeatPrompt(const std::wstring& prompt) {
    std::size_t i = 0;
    while (i < prompt.size() && (prompt[i] == L'\n' || prompt[i] == L'\r'))
        ++i;
    return prompt.substr(i);
}

} // namespace kz::ed
