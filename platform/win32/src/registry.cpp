// The in-memory registry: keys the host created, with their values.
#include "win_registry.h"

#include "win_error.h"
#include "win_host_options.h"

#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

namespace kz {

namespace {

struct Value {
    std::wstring name; // as the host spelled it
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
};

struct Key {
    std::vector<Value> values;
};

struct OpenKey {
    ULONG_PTR root;
    std::wstring path;
};

wchar_t foldAscii(wchar_t c) {
    return c >= L'A' && c <= L'Z' ? c + (L'a' - L'A') : c;
}

std::wstring fold(std::wstring_view s) {
    std::wstring out(s);
    for (wchar_t& c : out)
        c = foldAscii(c);
    return out;
}

// "A\\B\\" and "a\\b" name the same key: components without empty ones, case folded.
std::wstring normalizePath(std::wstring_view path) {
    std::wstring out;
    std::size_t i = 0;
    while (i <= path.size()) {
        std::size_t end = path.find(L'\\', i);
        if (end == std::wstring_view::npos)
            end = path.size();
        if (end > i) {
            if (!out.empty())
                out.push_back(L'\\');
            out += fold(path.substr(i, end - i));
        }
        i = end + 1;
    }
    return out;
}

std::wstring join(const std::wstring& base, const std::wstring& sub) {
    if (base.empty())
        return sub;
    if (sub.empty())
        return base;
    return base + L"\\" + sub;
}

bool isPredefined(ULONG_PTR k) {
    return k >= 0x80000000u && k <= 0x80000006u;
}

struct Registry {
    std::mutex lock;
    std::map<std::pair<ULONG_PTR, std::wstring>, Key> keys;
    std::set<const OpenKey*> open;
    std::vector<std::unique_ptr<OpenKey>> handles;
};

Registry& registry() {
    static Registry r;
    return r;
}

// The root and path a handle stands for; false when it is neither predefined nor open.
bool resolve(Registry& r, HKEY key, ULONG_PTR& root, std::wstring& path) {
    auto raw = reinterpret_cast<ULONG_PTR>(key);
    if (isPredefined(raw)) {
        root = raw;
        path.clear();
        return true;
    }
    auto* open = reinterpret_cast<const OpenKey*>(key);
    if (!r.open.count(open))
        return false;
    root = open->root;
    path = open->path;
    return true;
}

void setValue(HKEY root, std::wstring_view keyPath, std::wstring_view name, DWORD type,
              std::vector<BYTE> data) {
    auto rootValue = reinterpret_cast<ULONG_PTR>(root);
    if (!isPredefined(rootValue))
        return;
    Registry& r = registry();
    std::lock_guard guard(r.lock);
    std::wstring path = normalizePath(keyPath);
    // Every key on the way exists, as it would in a real registry.
    for (std::size_t pos = 0; (pos = path.find(L'\\', pos)) != std::wstring::npos; ++pos)
        r.keys[{rootValue, path.substr(0, pos)}];
    Key& key = r.keys[{rootValue, path}];
    for (Value& v : key.values) {
        if (fold(v.name) == fold(name)) {
            v.type = type;
            v.data = std::move(data);
            return;
        }
    }
    key.values.push_back(Value{std::wstring(name), type, std::move(data)});
}

} // namespace

void setRegistryString(HKEY root, std::wstring_view keyPath, std::wstring_view valueName,
                       std::wstring_view value) {
    std::vector<BYTE> data((value.size() + 1) * sizeof(wchar_t), 0);
    std::memcpy(data.data(), value.data(), value.size() * sizeof(wchar_t));
    setValue(root, keyPath, valueName, REG_SZ, std::move(data));
}

void setRegistryDword(HKEY root, std::wstring_view keyPath, std::wstring_view valueName,
                      DWORD value) {
    std::vector<BYTE> data(sizeof value);
    std::memcpy(data.data(), &value, sizeof value);
    setValue(root, keyPath, valueName, REG_DWORD, std::move(data));
}

void clearRegistry() {
    Registry& r = registry();
    std::lock_guard guard(r.lock);
    r.keys.clear();
}

} // namespace kz

LSTATUS RegOpenKeyExW(HKEY key, LPCWSTR subKey, DWORD, REGSAM, PHKEY result) {
    if (!result)
        return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    kz::Registry& r = kz::registry();
    std::lock_guard guard(r.lock);
    ULONG_PTR root = 0;
    std::wstring base;
    if (!kz::resolve(r, key, root, base))
        return ERROR_INVALID_HANDLE;
    std::wstring path = kz::join(base, kz::normalizePath(subKey ? subKey : L""));
    if (!path.empty() && !r.keys.count({root, path}))
        return ERROR_FILE_NOT_FOUND;
    auto open = std::make_unique<kz::OpenKey>(kz::OpenKey{root, path});
    r.open.insert(open.get());
    *result = reinterpret_cast<HKEY>(open.get());
    r.handles.push_back(std::move(open));
    return ERROR_SUCCESS;
}

LSTATUS RegQueryValueExW(HKEY key, LPCWSTR valueName, LPDWORD reserved, LPDWORD type, LPBYTE data,
                         LPDWORD dataSize) {
    if (reserved || (data && !dataSize))
        return ERROR_INVALID_PARAMETER;
    kz::Registry& r = kz::registry();
    std::lock_guard guard(r.lock);
    ULONG_PTR root = 0;
    std::wstring path;
    if (!kz::resolve(r, key, root, path))
        return ERROR_INVALID_HANDLE;
    auto found = r.keys.find({root, path});
    if (found == r.keys.end())
        return ERROR_FILE_NOT_FOUND;
    const std::wstring wanted = kz::fold(valueName ? valueName : L"");
    for (const kz::Value& v : found->second.values) {
        if (kz::fold(v.name) != wanted)
            continue;
        if (type)
            *type = v.type;
        const auto needed = static_cast<DWORD>(v.data.size());
        if (!dataSize)
            return ERROR_SUCCESS;
        if (data && *dataSize < needed) {
            *dataSize = needed;
            return ERROR_MORE_DATA;
        }
        if (data && needed > 0)
            std::memcpy(data, v.data.data(), needed);
        *dataSize = needed;
        return ERROR_SUCCESS;
    }
    return ERROR_FILE_NOT_FOUND;
}

LSTATUS RegCloseKey(HKEY key) {
    if (kz::isPredefined(reinterpret_cast<ULONG_PTR>(key)))
        return ERROR_SUCCESS;
    kz::Registry& r = kz::registry();
    std::lock_guard guard(r.lock);
    auto* open = reinterpret_cast<const kz::OpenKey*>(key);
    if (!r.open.erase(open))
        return ERROR_INVALID_HANDLE;
    // The record stays allocated so that a stale handle is never mistaken for a new one.
    return ERROR_SUCCESS;
}
