#include "module_path.h"

#include "win_codepage.h"

#include <system_error>

namespace kz {

namespace {

wchar_t foldAscii(wchar_t c) {
    return c >= L'A' && c <= L'Z' ? c + (L'a' - L'A') : c;
}

bool endsWithNoCase(std::wstring_view s, std::wstring_view suffix) {
    return s.size() >= suffix.size() && equalsNoCase(s.substr(s.size() - suffix.size()), suffix);
}

bool isFile(const std::filesystem::path& p) {
    std::error_code ec;
    return std::filesystem::is_regular_file(p, ec);
}

std::optional<std::filesystem::path> findNoCase(const std::filesystem::path& path) {
    if (isFile(path))
        return path;
    std::filesystem::path dir = path.has_parent_path() ? path.parent_path() : ".";
    std::wstring wanted = utf8ToWide(path.filename().string());
    std::error_code ec;
    for (std::filesystem::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        if (equalsNoCase(utf8ToWide(it->path().filename().string()), wanted) && isFile(it->path()))
            return it->path();
    }
    return std::nullopt;
}

} // namespace

std::wstring toPosixPath(std::wstring_view windowsPath) {
    std::wstring out(windowsPath);
    for (wchar_t& c : out)
        if (c == L'\\')
            c = L'/';
    if (out.size() >= 2 && out[1] == L':' &&
        ((out[0] >= L'A' && out[0] <= L'Z') || (out[0] >= L'a' && out[0] <= L'z')))
        out.erase(0, 2);
    return out;
}

std::wstring baseNameOf(std::wstring_view path) {
    std::size_t slash = path.rfind(L'/');
    return std::wstring(slash == std::wstring_view::npos ? path : path.substr(slash + 1));
}

std::wstring withDefaultExtension(std::wstring_view name) {
    std::wstring out(name);
    if (!out.empty() && out.back() == L'.') {
        out.pop_back();
        return out;
    }
    if (baseNameOf(out).find(L'.') == std::wstring::npos)
        out += L".dll";
    return out;
}

bool equalsNoCase(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (foldAscii(a[i]) != foldAscii(b[i]))
            return false;
    return true;
}

bool moduleNameMatches(std::wstring_view fileBaseName, std::wstring_view requested) {
    if (equalsNoCase(fileBaseName, requested))
        return true;
    if (!endsWithNoCase(requested, L".dll"))
        return false;
    std::wstring_view stem = requested.substr(0, requested.size() - 4);
    return fileBaseName.size() == stem.size() + 6 && fileBaseName.substr(0, 3) == L"lib" &&
           fileBaseName.substr(fileBaseName.size() - 3) == L".so" &&
           equalsNoCase(fileBaseName.substr(3, stem.size()), stem);
}

std::optional<std::filesystem::path> findModuleFile(const std::filesystem::path& path) {
    if (auto found = findNoCase(path))
        return found;
    std::wstring name = utf8ToWide(path.filename().string());
    if (!endsWithNoCase(name, L".dll"))
        return std::nullopt;
    std::wstring soName = L"lib" + name.substr(0, name.size() - 4) + L".so";
    return findNoCase(path.parent_path() / wideToUtf8(soName));
}

} // namespace kz
