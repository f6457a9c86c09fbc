// The ini file reader: any bytes are a document; written back unchanged they are the
// same bytes; every section and key can be read; a value that is set reads back after
// the document is written and read again, and the lines it did not touch keep their text.
#include "ini_document.h"
#include "win_codepage.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

[[noreturn]] void fault(const char* what) {
    std::fprintf(stderr, "fuzz_ini: %s\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    kz::IniDocument doc = kz::IniDocument::parse(bytes);
    auto same = doc.serialize();
    if (!same || *same != bytes)
        fault("an unchanged document is written back with other bytes");

    std::vector<std::wstring> sections = doc.sectionNames();
    for (const std::wstring& s : sections) {
        auto keys = doc.keyNames(s);
        if (!keys)
            fault("a listed section has no key list");
        for (const std::wstring& k : *keys)
            if (!doc.value(s, k))
                fault("a listed key has no value");
    }

    // Changes through the profile functions: a key of a section of the file (when it
    // has one) and one of a new section.
    const std::wstring kSection = L"KzFuzzSection", kKey = L"KzFuzzKey", kValue = L"12,5";
    std::wstring firstSection = sections.empty() ? L"" : sections.front();
    bool usable = !firstSection.empty() && kz::trimIni(firstSection) == firstSection;
    if (usable)
        doc.setValue(firstSection, kKey, kValue);
    doc.setValue(kSection, kKey, kValue);
    auto written = doc.serialize();
    if (!written)
        return 0; // the file's encoding cannot hold the new text: nothing is written
    kz::IniDocument again = kz::IniDocument::parse(*written);
    if (again.encoding() != doc.encoding())
        fault("the written document reads in another encoding");
    auto v = again.value(kSection, kKey);
    if (!v || *v != kValue)
        fault("a value set in a new section does not read back");
    if (usable) {
        auto w = again.value(firstSection, kKey);
        if (!w || *w != kValue)
            fault("a value set in a section of the file does not read back");
    }
    return 0;
}
