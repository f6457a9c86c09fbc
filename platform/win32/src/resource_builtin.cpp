// Resources of the built-in system modules and the host's user-interface language.
#include "win_resource.h"

#include <array>
#include <cwctype>

namespace kz {
namespace {

LANGID g_uiLanguage = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);
std::optional<std::vector<LANGID>> g_versionLanguages;

void putWord(std::vector<BYTE>& out, std::size_t at, WORD v) {
    out[at] = static_cast<BYTE>(v);
    out[at + 1] = static_cast<BYTE>(v >> 8);
}

void appendDword(std::vector<BYTE>& out, DWORD v) {
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<BYTE>(v >> (8 * i)));
    }
}

// A VS_VERSIONINFO block with its fixed file information and no string tables:
// header (length, value length, type), the key "VS_VERSION_INFO" in UTF-16, padding to
// 32 bits, then VS_FIXEDFILEINFO.
std::vector<BYTE> makeVersionBlock() {
    std::vector<BYTE> out(6, 0);
    for (char c : std::string_view("VS_VERSION_INFO")) {
        out.push_back(static_cast<BYTE>(c));
        out.push_back(0);
    }
    out.push_back(0);
    out.push_back(0);
    while (out.size() % 4) {
        out.push_back(0);
    }
    const std::array<DWORD, 13> fixed = {
        0xFEEF04BD,                // signature
        0x00010000,                // structure version 1.0
        0x000A0000, 0x00000000,    // file version 10.0.0.0
        0x000A0000, 0x00000000,    // product version
        0x0000003F, 0x00000000,    // flags mask, flags
        0x00040004,                // VOS_NT_WINDOWS32
        0x00000002,                // VFT_DLL
        0,          0,          0, // subtype, date
    };
    for (DWORD v : fixed) {
        appendDword(out, v);
    }
    putWord(out, 0, static_cast<WORD>(out.size()));
    putWord(out, 2, static_cast<WORD>(fixed.size() * 4));
    putWord(out, 4, 0); // binary value
    return out;
}

struct NtdllResources {
    std::vector<BYTE> version = makeVersionBlock();
    std::vector<ResourceEntry> entries;
    ResourceTable table{};

    NtdllResources() { refresh(); }

    // Rebuilt whenever the language changes; the table object itself stays put, so a
    // module record that points at it sees the change.
    void refresh() {
        const std::vector<LANGID> languages =
            g_versionLanguages ? *g_versionLanguages : std::vector<LANGID>{g_uiLanguage};
        entries.clear();
        for (LANGID language : languages) {
            entries.push_back(
                {16, 1, language, version.data(), static_cast<DWORD>(version.size())});
        }
        table = {kResourceTableVersion,
                 entries.data(),
                 static_cast<UINT>(entries.size()),
                 nullptr,
                 0,
                 nullptr,
                 0};
    }
};

NtdllResources& ntdll() {
    static NtdllResources resources;
    return resources;
}

bool equalsIgnoringCase(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::towlower(static_cast<wint_t>(a[i])) != std::towlower(static_cast<wint_t>(b[i]))) {
            return false;
        }
    }
    return true;
}

} // namespace

LANGID hostUiLanguage() {
    return g_uiLanguage;
}

void setHostUiLanguage(LANGID language) {
    g_uiLanguage = language;
    ntdll().refresh();
}

void overrideSystemVersionLanguages(std::optional<std::vector<LANGID>> languages) {
    g_versionLanguages = std::move(languages);
    ntdll().refresh();
}

const ResourceTable* builtinModuleResources(std::wstring_view baseName) {
    if (equalsIgnoringCase(baseName, L"ntdll.dll")) {
        return &ntdll().table;
    }
    return nullptr;
}

} // namespace kz
