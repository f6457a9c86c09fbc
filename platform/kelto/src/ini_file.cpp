// Where the product's ini file lives: the host option `kzdim --ini`, else the user's
// copy of the bundled one.
#include "Kelto.h"
#include "KeltoHost.h"

#include "win_host_io.h"

#include <cstdlib>
#include <dlfcn.h>
#include <string>
#include <system_error>

namespace kz::kelto {

namespace {

constexpr const wchar_t* kEnvironmentSection = L"環境設定";
constexpr const wchar_t* kSystemFolderKey = L"ｼｽﾃﾑ";

std::filesystem::path ownFolder() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&ownFolder), &info) == 0 || !info.dli_fname)
        return {};
    return std::filesystem::path(info.dli_fname).parent_path();
}

bool isAbsoluteFolder(const std::wstring& value) {
    return !value.empty() &&
           (value[0] == L'/' || value[0] == L'\\' || (value.size() >= 2 && value[1] == L':'));
}

} // namespace

std::filesystem::path bundledIniFolder() {
    return ownFolder() / "ini";
}

std::filesystem::path userConfigFolder() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && *xdg == '/')
        return std::filesystem::path(xdg) / "kzdim";
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home && *home ? home : "/tmp") / ".config" / "kzdim";
}

std::filesystem::path ensureUserIniFile(const std::filesystem::path& bundledFolder,
                                        const std::filesystem::path& userFolder) {
    std::filesystem::path target = userFolder / "Kelto.ini";
    std::error_code ec;
    if (std::filesystem::exists(target, ec))
        return target;
    std::filesystem::path source = bundledFolder / "Kelto.ini";
    std::filesystem::create_directories(userFolder, ec);
    if (!std::filesystem::copy_file(source, target, ec))
        return target;
    // The copy lives elsewhere: a system folder given relative to the bundled file
    // must still name the bundled folder.
    wchar_t value[1024];
    GetPrivateProfileStringW(kEnvironmentSection, kSystemFolderKey, L"", value, 1024,
                             source.wstring().c_str());
    std::wstring folder = value;
    if (!folder.empty() && !isAbsoluteFolder(folder)) {
        std::filesystem::path absolute = (bundledFolder / folder).lexically_normal();
        WritePrivateProfileStringW(kEnvironmentSection, kSystemFolderKey,
                                   absolute.wstring().c_str(), target.wstring().c_str());
    }
    return target;
}

} // namespace kz::kelto

const wchar_t* KZAddinGetIniFile() {
    static std::wstring path;
    try {
        std::optional<std::wstring> option = kz::hostSetting(kz::kHostIniFileSetting);
        if (option && !option->empty())
            path = *option;
        else
            path = kz::kelto::ensureUserIniFile(kz::kelto::bundledIniFolder(),
                                                kz::kelto::userConfigFolder())
                       .wstring();
    } catch (...) {
        // A path that cannot be worked out leaves the previous answer.
    }
    return path.c_str();
}
