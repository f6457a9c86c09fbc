// Loading, finding and unloading modules.
#include "module_table.h"

#include "module_path.h"
#include "win_codepage.h"
#include "win_error.h"
#include "win_module.h"
#include "win_resource.h"
#include "host_state.h"

#include <dlfcn.h>
#include <link.h>

#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

namespace kz {

namespace {

enum class Origin {
    Loaded,  // by LoadLibraryW: reference counted, DllMain called
    System,  // found already loaded (the executable, its libraries): never unloaded
    Builtin, // no file at all
};

struct Entry {
    ModuleRecord record;
    Origin origin = Origin::Loaded;
    DllMainProc dllMain = nullptr;
};

struct Table {
    std::recursive_mutex lock;
    std::vector<std::unique_ptr<Entry>> entries; // in load order
    // Records of unloaded modules are kept (emptied) so that their addresses are never
    // handed out again: a stale handle then stays invalid instead of naming another
    // module.
    std::vector<std::unique_ptr<Entry>> retired;
    Entry* executable = nullptr;
};

// Never destroyed: modules may still be freed by static destructors at exit.
Table& table() {
    static Table* t = [] {
        auto* made = new Table;
        for (const wchar_t* name : {L"ntdll.dll", L"imm32.dll"}) {
            auto e = std::make_unique<Entry>();
            e->origin = Origin::Builtin;
            e->record.baseName = name;
            e->record.path = std::wstring(L"C:/Windows/System32/") + name;
            e->record.refCount = 1;
            e->record.resources = builtinModuleResources(name);
            made->entries.push_back(std::move(e));
        }
        return made;
    }();
    return *t;
}

thread_local std::string tLoadError;

HMODULE handleOf(Entry& e) {
    return reinterpret_cast<HMODULE>(&e.record);
}

Entry* entryOf(HMODULE module) {
    for (auto& e : table().entries)
        if (handleOf(*e) == module)
            return e.get();
    return nullptr;
}

Entry* entryByDl(void* dl) {
    for (auto& e : table().entries)
        if (e->record.dl == dl)
            return e.get();
    return nullptr;
}

std::wstring pathOfDl(void* dl) {
    link_map* map = nullptr;
    if (dlinfo(dl, RTLD_DI_LINKMAP, &map) != 0 || !map || !map->l_name)
        return {};
    return utf8ToWide(map->l_name);
}

std::filesystem::path executableFile() {
    std::error_code ec;
    auto p = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::path() : p;
}

// A symbol that the module defines itself; dlsym on a library handle also searches the
// libraries it depends on, which GetProcAddress must not.
void* ownSymbol(void* dl, const char* name) {
    dlerror();
    void* address = dlsym(dl, name);
    if (!address)
        return nullptr;
    link_map* own = nullptr;
    if (dlinfo(dl, RTLD_DI_LINKMAP, &own) != 0)
        return nullptr;
    Dl_info info;
    link_map* owner = nullptr;
    if (!dladdr1(address, &info, reinterpret_cast<void**>(&owner), RTLD_DL_LINKMAP))
        return nullptr;
    return owner == own ? address : nullptr;
}

Entry& executableEntry() {
    Table& t = table();
    if (!t.executable) {
        auto e = std::make_unique<Entry>();
        e->origin = Origin::System;
        e->record.dl = dlopen(nullptr, RTLD_NOW);
        e->record.path = utf8ToWide(executableFile().string());
        e->record.baseName = baseNameOf(e->record.path);
        e->record.refCount = 1;
        t.executable = e.get();
        t.entries.push_back(std::move(e));
    }
    return *t.executable;
}

// A library the system loaded (a dependency of the executable, or one the host opened
// itself) answers to GetModuleHandleW too.
Entry* adoptSystemLibrary(std::wstring_view requested, bool byPath) {
    struct Search {
        std::wstring_view requested;
        bool byPath;
        std::string found;
    } search{requested, byPath, {}};
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void* data) {
            auto* s = static_cast<Search*>(data);
            if (!info->dlpi_name || !*info->dlpi_name)
                return 0;
            std::wstring path = utf8ToWide(info->dlpi_name);
            bool match = s->byPath ? equalsNoCase(path, s->requested)
                                   : moduleNameMatches(baseNameOf(path), s->requested);
            if (!match)
                return 0;
            s->found = info->dlpi_name;
            return 1;
        },
        &search);
    if (search.found.empty())
        return nullptr;
    void* dl = dlopen(search.found.c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (!dl)
        return nullptr;
    if (Entry* known = entryByDl(dl)) {
        dlclose(dl);
        return known;
    }
    auto e = std::make_unique<Entry>();
    e->origin = Origin::System;
    e->record.dl = dl;
    e->record.path = utf8ToWide(search.found);
    e->record.baseName = baseNameOf(e->record.path);
    e->record.refCount = 1;
    Entry* raw = e.get();
    table().entries.push_back(std::move(e));
    return raw;
}

Entry* findByName(std::wstring_view name) {
    std::wstring posix = toPosixPath(name);
    bool byPath = posix.find(L'/') != std::wstring::npos;
    std::wstring wanted = byPath ? posix : withDefaultExtension(posix);
    for (auto& e : table().entries) {
        bool match = byPath ? equalsNoCase(e->record.path, wanted)
                            : moduleNameMatches(e->record.baseName, wanted);
        if (match)
            return e.get();
    }
    Entry& exe = executableEntry();
    if (byPath ? equalsNoCase(exe.record.path, wanted) : equalsNoCase(exe.record.baseName, wanted))
        return &exe;
    return adoptSystemLibrary(wanted, byPath);
}

// The directories searched for a module named without a directory, in Windows order:
// the executable's directory, then the current directory.
std::vector<std::filesystem::path> candidateFiles(const std::wstring& posix) {
    std::filesystem::path p(wideToUtf8(posix));
    if (posix.find(L'/') != std::wstring::npos) {
        std::error_code ec;
        return {p.is_absolute() ? p : std::filesystem::absolute(p, ec)};
    }
    std::vector<std::filesystem::path> out;
    std::filesystem::path exe = executableFile();
    if (!exe.empty())
        out.push_back(exe.parent_path() / p);
    std::error_code ec;
    auto cwd = std::filesystem::current_path(ec);
    if (!ec)
        out.push_back(cwd / p);
    return out;
}

void callDllMain(Entry& e, DWORD reason, bool* result) {
    BOOL ok = TRUE;
    if (e.dllMain) {
        try {
            ok = e.dllMain(handleOf(e), reason, nullptr);
        } catch (...) {
            ok = FALSE; // an exception must not cross into the host
        }
    }
    if (result)
        *result = ok != FALSE;
}

void unload(Entry* e) {
    callDllMain(*e, DLL_PROCESS_DETACH, nullptr);
    auto& entries = table().entries;
    for (auto it = entries.begin(); it != entries.end(); ++it) {
        if (it->get() == e) {
            std::unique_ptr<Entry> owned = std::move(*it);
            entries.erase(it);
            if (owned->record.dl)
                dlclose(owned->record.dl);
            owned->record = ModuleRecord{};
            owned->dllMain = nullptr;
            table().retired.push_back(std::move(owned));
            return;
        }
    }
}

HMODULE load(std::wstring_view fileName) {
    std::wstring posix = toPosixPath(fileName);
    bool bare = posix.find(L'/') == std::wstring::npos;
    if (bare) {
        posix = withDefaultExtension(posix);
        // A module already loaded under this name is used again, as Windows does.
        for (auto& e : table().entries) {
            if (moduleNameMatches(e->record.baseName, posix)) {
                ++e->record.refCount;
                return handleOf(*e);
            }
        }
    }
    std::optional<std::filesystem::path> file;
    for (const auto& candidate : candidateFiles(posix))
        if ((file = findModuleFile(candidate)))
            break;
    std::string target = file ? file->string() : wideToUtf8(posix); // else: the linker's search
    void* dl = dlopen(target.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!dl) {
        const char* why = dlerror();
        tLoadError = why ? why : "cannot load " + target;
        SetLastError(file ? ERROR_BAD_EXE_FORMAT : ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    if (Entry* known = entryByDl(dl)) {
        dlclose(dl); // the table holds one dlopen reference per module
        ++known->record.refCount;
        return handleOf(*known);
    }
    auto e = std::make_unique<Entry>();
    e->record.dl = dl;
    e->record.path = file ? utf8ToWide(file->lexically_normal().string()) : pathOfDl(dl);
    e->record.baseName = baseNameOf(e->record.path);
    e->record.refCount = 1;
    e->record.resources = static_cast<const ResourceTable*>(ownSymbol(dl, "kzResourceTable"));
    e->dllMain = reinterpret_cast<DllMainProc>(ownSymbol(dl, "DllMain"));
    Entry* raw = e.get();
    table().entries.push_back(std::move(e));
    bool attached = true;
    callDllMain(*raw, DLL_PROCESS_ATTACH, &attached);
    if (!attached) {
        unload(raw);
        tLoadError = "DllMain refused DLL_PROCESS_ATTACH: " + target;
        SetLastError(ERROR_DLL_INIT_FAILED);
        return nullptr;
    }
    return handleOf(*raw);
}

BOOL immReleaseContext(HWND, void*) {
    return hostOptions().immReleaseContextResult;
}

} // namespace

std::recursive_mutex& moduleTableLock() {
    return table().lock;
}

ModuleRecord* findModule(HMODULE module) {
    std::lock_guard guard(moduleTableLock());
    Entry* e = entryOf(module);
    return e ? &e->record : nullptr;
}

bool isBuiltinModule(HMODULE module) {
    std::lock_guard guard(moduleTableLock());
    Entry* e = entryOf(module);
    return e && e->origin == Origin::Builtin;
}

ModuleRecord& executableModule() {
    std::lock_guard guard(moduleTableLock());
    return executableEntry().record;
}

std::string lastModuleLoadError() {
    return tLoadError;
}

} // namespace kz

using kz::moduleTableLock;

HMODULE LoadLibraryW(LPCWSTR fileName) {
    if (!fileName || !*fileName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    std::lock_guard guard(moduleTableLock());
    try {
        return kz::load(fileName);
    } catch (const std::exception& e) {
        kz::tLoadError = e.what();
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
}

BOOL FreeLibrary(HMODULE module) {
    std::lock_guard guard(moduleTableLock());
    kz::Entry* e = kz::entryOf(module);
    if (!e) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (e->origin == kz::Origin::Loaded && --e->record.refCount == 0)
        kz::unload(e);
    return TRUE;
}

FARPROC GetProcAddress(HMODULE module, LPCSTR procName) {
    std::lock_guard guard(moduleTableLock());
    kz::Entry* e = module ? kz::entryOf(module) : &kz::executableEntry();
    if (!e) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    if (!procName || IS_INTRESOURCE(procName)) { // exports by ordinal are not kept
        SetLastError(ERROR_PROC_NOT_FOUND);
        return nullptr;
    }
    void* address = nullptr;
    if (e->origin == kz::Origin::Builtin) {
        if (kz::equalsNoCase(e->record.baseName, L"imm32.dll") &&
            std::string_view(procName) == "ImmReleaseContext")
            return reinterpret_cast<FARPROC>(&kz::immReleaseContext);
    } else if (e == kz::table().executable) {
        dlerror();
        address = dlsym(e->record.dl, procName);
    } else {
        address = kz::ownSymbol(e->record.dl, procName);
    }
    if (!address) {
        SetLastError(ERROR_PROC_NOT_FOUND);
        return nullptr;
    }
    return reinterpret_cast<FARPROC>(address);
}

HMODULE GetModuleHandleW(LPCWSTR moduleName) {
    std::lock_guard guard(moduleTableLock());
    try {
        kz::Entry* e = moduleName ? kz::findByName(moduleName) : &kz::executableEntry();
        if (!e) {
            SetLastError(ERROR_MOD_NOT_FOUND);
            return nullptr;
        }
        return kz::handleOf(*e);
    } catch (const std::exception&) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
}

DWORD GetModuleFileNameW(HMODULE module, LPWSTR fileName, DWORD size) {
    std::lock_guard guard(moduleTableLock());
    kz::Entry* e = module ? kz::entryOf(module) : &kz::executableEntry();
    if (!e) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return 0;
    }
    if (!fileName || size == 0) {
        SetLastError(size == 0 ? ERROR_INSUFFICIENT_BUFFER : ERROR_INVALID_PARAMETER);
        return 0;
    }
    const std::wstring& path = e->record.path;
    if (path.size() < size) {
        std::wmemcpy(fileName, path.c_str(), path.size() + 1);
        return static_cast<DWORD>(path.size());
    }
    std::wmemcpy(fileName, path.c_str(), size - 1);
    fileName[size - 1] = 0;
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return size;
}
