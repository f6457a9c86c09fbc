#include "win_host_io.h"

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

HostLineReader setHostLineReader(HostLineReader reader) {
    return std::exchange(lineReader(), std::move(reader));
}

HostTextWriter setHostTextWriter(HostTextWriter writer) {
    return std::exchange(textWriter(), std::move(writer));
}

} // namespace kz
