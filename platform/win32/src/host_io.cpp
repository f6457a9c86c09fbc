#include "win_host_io.h"

#include <map>
#include <utility>

namespace kz {

namespace {

HostLineReader& lineReader() {
    static HostLineReader reader;
    return reader;
}

HostTextWriter& textWriter() {
    static HostTextWriter writer;
    return writer;
}

HostInputErrorHandler& inputErrorHandler() {
    static HostInputErrorHandler handler;
    return handler;
}

std::map<std::wstring, std::wstring>& settings() {
    static std::map<std::wstring, std::wstring> values;
    return values;
}

} // namespace

std::optional<std::wstring> hostReadLine(const std::wstring& prompt) {
    if (!lineReader())
        return std::nullopt;
    return lineReader()(prompt);
}

void hostWrite(const std::wstring& text) {
    if (textWriter())
        textWriter()(text);
}

void hostInputError(const std::wstring& message) {
    if (inputErrorHandler())
        inputErrorHandler()(message);
    else
        hostWrite(message + L"\n");
}

std::optional<std::wstring> hostSetting(const std::wstring& name) {
    auto it = settings().find(name);
    if (it == settings().end())
        return std::nullopt;
    return it->second;
}

void setHostSetting(const std::wstring& name, const std::wstring& value) {
    if (value.empty())
        settings().erase(name);
    else
        settings()[name] = value;
}

HostLineReader setHostLineReader(HostLineReader reader) {
    return std::exchange(lineReader(), std::move(reader));
}

HostTextWriter setHostTextWriter(HostTextWriter writer) {
    return std::exchange(textWriter(), std::move(writer));
}

HostInputErrorHandler setHostInputErrorHandler(HostInputErrorHandler handler) {
    return std::exchange(inputErrorHandler(), std::move(handler));
}

} // namespace kz
