#include "ApiComn.h"

#include "acdocman.h"

#include <cwchar>
#include <new>
#include <string>

int ApiComn_sendCommand(const wchar_t* text, int activate, int wrapUpInactiveDoc, int echoString) {
    if (!text || !*text)
        return -1;
    AcApDocument* doc = acDocManager->curDocument();
    if (!doc)
        return -1;
    try {
        // One line of input: the host takes a blank or a line break as its end.
        std::wstring line(text);
        wchar_t last = line.back();
        if (last != L' ' && last != L'\n' && last != L'\r')
            line += L'\n';
        Acad::ErrorStatus es = acDocManager->sendStringToExecute(
            doc, line.c_str(), activate != 0, wrapUpInactiveDoc != 0, echoString != 0);
        return es == Acad::eOk ? 0 : -1;
    } catch (const std::bad_alloc&) {
        return -1;
    }
}
