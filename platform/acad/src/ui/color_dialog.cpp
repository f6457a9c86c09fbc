// The host's colour dialog, headless: it asks for a colour index on the input lines.
#include "aced.h"
#include "win_host_io.h"

#include <cwchar>
#include <string>

Adesk::Boolean acedSetColorDialog(int& nColor, Adesk::Boolean bAllowMetaColor, int) {
    for (;;) {
        std::wstring prompt = L"Color dialog: index " +
                              std::wstring(bAllowMetaColor ? L"0-256" : L"1-255") + L" <" +
                              std::to_wstring(nColor) + L">: ";
        std::optional<std::wstring> line = kz::hostReadLine(prompt);
        if (!line || *line == L"CANCEL" || *line == L"*CANCEL*")
            return Adesk::kFalse;
        if (line->empty() || *line == L"OK")
            return Adesk::kTrue;
        wchar_t* end = nullptr;
        long v = std::wcstol(line->c_str(), &end, 10);
        bool inRange = bAllowMetaColor ? (v >= 0 && v <= 256) : (v >= 1 && v <= 255);
        if (end && *end == 0 && inRange) {
            nColor = static_cast<int>(v);
            return Adesk::kTrue;
        }
        kz::hostWrite(L"Invalid color index.\n");
    }
}
