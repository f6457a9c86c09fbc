// Commands that read points, numbers, texts and keywords, send text to the command
// line, get cancelled, and read dialog lines.
#include "acdocman.h"
#include "edtest.h"
#include "win_host_io.h"
#include "win_wstring.h"

namespace edtest {

void cmdPoint() {
    ads_point first;
    acedInitGet(RSG_NONULL, L"Hai Iie _ Yes No");
    int status = acedGetPoint(nullptr, L"\nFirst point or [Hai/Iie]: ", first);
    if (status == RTKWORD) {
        ACHAR kw[133];
        acedGetInput(kw);
        acutPrintf(L"keyword %s\n", kw);
        return;
    }
    if (status != RTNORM) {
        acutPrintf(L"first: %s\n", statusName(status));
        return;
    }
    acutPrintf(L"first %g,%g,%g\n", first[0], first[1], first[2]);
    ads_point second;
    status = acedGetPoint(first, L"\nSecond point: ", second);
    if (status == RTNORM)
        acutPrintf(L"second %g,%g,%g\n", second[0], second[1], second[2]);
    else
        acutPrintf(L"second: %s\n", statusName(status));
}

void cmdNumbers() {
    ads_real real = 0;
    acedInitGet(RSG_NOZERO | RSG_NONEG, nullptr);
    int status = acedGetReal(L"\nPositive number: ", &real);
    acutPrintf(L"real %s %g\n", statusName(status), real);
    int whole = 0;
    status = acedGetInt(L"\nInteger: ", &whole);
    acutPrintf(L"int %s %d\n", statusName(status), whole);
    ACHAR text[133];
    status = acedGetString(1, L"\nText: ", text);
    acutPrintf(L"text %s [%s]\n", statusName(status), text);
    ACHAR kw[133];
    acedInitGet(0, L"Left Right");
    status = acedGetKword(L"\nSide [Left/Right] <Left>: ", kw);
    acutPrintf(L"kword %s [%s]\n", statusName(status), status == RTNORM ? kw : L"");
}

void cmdSend() {
    AcApDocument* doc = acDocManager->curDocument();
    // Taken by this command's own prompt, before any script line.
    acDocManager->sendStringToExecute(doc, L"7,8\n", true, false, true);
    ads_point pt;
    int status = acedGetPoint(nullptr, L"\nPoint: ", pt);
    acutPrintf(L"send: %s %g,%g\n", statusName(status), pt[0], pt[1]);
    // Taken after this command ends: a command and its two points, in order.
    acDocManager->sendStringToExecute(doc, L"TPOINT ", true, false, true);
    acDocManager->sendStringToExecute(doc, L"3,4\n@1,1\n", true, false, true);
}

void cmdCancel() {
    for (int i = 1;; ++i) {
        ads_point pt;
        int status = acedGetPoint(nullptr, L"\nPoint (cancel to end): ", pt);
        if (status == RTCAN) {
            acutPrintf(L"cancelled after %d\n", i - 1);
            return;
        }
    }
}

void cmdDialog() {
    kz::hostWrite(L"[dialog 200 opens]\n");
    for (;;) {
        std::optional<std::wstring> line = kz::hostReadLine(L"Dialog 200: ");
        if (!line) {
            kz::hostWrite(L"[dialog 200 ends without input]\n");
            return;
        }
        if (*line == L"OK" || *line == L"CANCEL") {
            kz::hostWrite(L"[dialog 200 closes with " + *line + L"]\n");
            return;
        }
        if (line->rfind(L"BAD", 0) == 0) {
            kz::hostInputError(L"no control " + *line);
            continue;
        }
        kz::hostWrite(L"[set " + *line + L"]\n");
    }
}

} // namespace edtest
