// The host's command line: the transcript, where input comes from, the text queued by
// sendStringToExecute, and the prompt loop every input function shares.
//
// Input rules. Queued text is taken before the script: it is cut into inputs at blanks
// and line breaks (at line breaks only when the prompt takes blanks), a lone blank or
// line break being Enter, the end of each queued text ending its last input, and
// Ctrl+C (U+0003) cancelling. Script lines are one input each: an empty line is Enter,
// "*CANCEL*" cancels. Invalid input gets the host's answer in the transcript; at a
// terminal the prompt is asked again, in a script the run stops there: the command in
// progress is cancelled, no further input is read, and error() says where and what
// was expected. The end of the script inside a command cancels the command.
#pragma once

#include "ed/keywords.h"
#include "ed/line_source.h"
#include "ed/transcript.h"
#include "gepnt3d.h"

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>

namespace kz::ed {

enum class InputKind {
    Text,   // a non-empty input
    Enter,  // an empty line, a blank
    Cancel, // "*CANCEL*", Ctrl+C
    End     // no input left (or the run stopped)
};

struct Input {
    InputKind kind = InputKind::End;
    std::wstring text;  // Text: the input, blanks removed at both ends
    std::wstring where; // "file:line", or "sent text" for queued input
};

// Why a prompt refused an input: the host's answer (shown) and, for the script error,
// what was expected.
struct Refusal {
    std::wstring answer;
    std::wstring expected;
};

// What acedInitGet set up for the next input function.
struct InitGet {
    int flags = 0;
    KeywordList keywords;
};

// acedInitGet bits.
inline constexpr int kNoNull = 1;
inline constexpr int kNoZero = 2;
inline constexpr int kNoNegative = 4;
inline constexpr int kArbitraryInput = 128;

class CommandLine {
public:
    static CommandLine& get();
    // Everything back to the start: empty transcript, no source, nothing queued.
    void reset();

    Transcript& transcript() { return m_transcript; }

    // ---- input ----
    void setSource(std::unique_ptr<LineSource> source);
    bool interactive() const { return m_source && m_source->interactive(); }
    // Text sent to the command line; echo false takes it without showing it.
    void queue(const std::wstring& text, bool echo);
    bool hasQueuedInput() const { return !m_queue.empty(); }
    // Shows the prompt and takes the next input (queued text first), echoing it.
    Input read(const std::wstring& prompt, bool blanksAllowed = false);
    // The next script line for a dialog or message box: shows the prompt, echoes the
    // line; nullopt at the end of input.
    std::optional<std::wstring> readDialogLine(const std::wstring& prompt);

    // The prompt loop: shows the prompt, reads, and hands each input other than Cancel
    // and End to handle, which returns the function's result or refuses (filling the
    // refusal). Cancel and End give RTCAN (with "*Cancel*" shown).
    using Handler = std::function<std::optional<int>(const Input& in, Refusal& refusal)>;
    int ask(const std::wstring& prompt, const Handler& handle, bool blanksAllowed = false);
    // Shows the answer of a refusal and, unless a person is answering, stops the run.
    // Returns true when the prompt is to be asked again.
    bool refuse(const Input& in, const Refusal& refusal);
    // Stops the run with "where: message" (a dialog line the dialog could not use).
    void stop(const std::wstring& where, const std::wstring& message);
    bool stopped() const { return m_stopped; }
    // "file:line: expected ..., got ..." of the input that stopped the run.
    const std::wstring& error() const { return m_error; }
    // Where the last input came from.
    const std::wstring& lastWhere() const { return m_lastWhere; }

    // ---- state shared by the input functions ----
    InitGet takeInitGet() { return std::exchange(m_initGet, InitGet{}); }
    void setInitGet(InitGet ig) { m_initGet = std::move(ig); }
    const std::wstring& lastKeyword() const { return m_lastKeyword; }
    void setLastKeyword(std::wstring keyword) { m_lastKeyword = std::move(keyword); }
    const AcGePoint3d& lastPoint() const { return m_lastPoint; }
    // Records a point the user gave: the last point, and the cursor moves there.
    void pointGiven(const AcGePoint3d& point);

    // True while a command runs (the end of input then cancels instead of ending).
    bool inCommand() const { return m_commandDepth > 0; }
    void enterCommand() { ++m_commandDepth; }
    void leaveCommand() { --m_commandDepth; }

private:
    struct Queued {
        std::wstring text;
        bool echo;
    };
    std::optional<Input> takeQueued(bool blanksAllowed, bool& echo);
    void echo(const Input& in, bool showIt, bool typedAtTerminal);

    Transcript m_transcript;
    std::unique_ptr<LineSource> m_source;
    std::deque<Queued> m_queue;
    bool m_stopped = false;
    std::wstring m_error;
    std::wstring m_lastWhere;
    InitGet m_initGet;
    std::wstring m_lastKeyword;
    AcGePoint3d m_lastPoint;
    int m_commandDepth = 0;
};

// The prompt as it is asked again after a refusal: without its leading line breaks.
std::wstring repeatPrompt(const std::wstring& prompt);

} // namespace kz::ed
