// A resource library of the module loaded the way the module loader does it: dlopen,
// then the exported table attached to a module record. (Switch to LoadLibraryW once
// module loading is in place.)
#pragma once

#include "module_record.h"
#include "win_codepage.h"
#include "win_resource.h"

#include <gtest/gtest.h>

#include <array>
#include <dlfcn.h>
#include <string>

class LoadedModule {
public:
    explicit LoadedModule(const std::string& path) {
        dl_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        record_.path = kz::utf8ToWide(path);
        record_.dl = dl_;
        if (dl_ != nullptr) {
            record_.resources =
                static_cast<const kz::ResourceTable*>(dlsym(dl_, "kzResourceTable"));
        }
    }
    ~LoadedModule() {
        if (dl_ != nullptr) {
            dlclose(dl_);
        }
    }
    LoadedModule(const LoadedModule&) = delete;
    LoadedModule& operator=(const LoadedModule&) = delete;

    bool loaded() const { return record_.resources != nullptr; }
    HINSTANCE handle() { return reinterpret_cast<HINSTANCE>(&record_); }
    const kz::ResourceTable& table() const { return *record_.resources; }

    // The text of a string through LoadStringW with the 260-character buffer the module
    // uses.
    std::wstring string(UINT id) {
        wchar_t buf[260];
        const int n = LoadStringW(handle(), id, buf, 260);
        return std::wstring(buf, static_cast<std::size_t>(n));
    }

    const kz::DialogTemplate& dialog(UINT id) {
        const kz::DialogTemplate* d = kz::findDialogTemplate(handle(), id);
        if (d == nullptr) {
            throw std::runtime_error("no dialog " + std::to_string(id));
        }
        return *d;
    }

private:
    void* dl_ = nullptr;
    kz::ModuleRecord record_;
};

// Ids of every string the module loads.
inline const UINT kModuleStringIds[] = {102, 103, 104, 105, 106, 107, 108, 109, 110, 111, 112, 113,
                                        114, 115, 116, 117, 118, 119, 120, 121, 122, 124, 125, 126,
                                        127, 128, 129, 130, 131, 132, 133, 135, 136, 137, 138, 139};

// Strings that name the configuration section and keys, and the text style and its
// font files: the same in every language.
inline const UINT kFileFormatStringIds[] = {103, 104, 105, 106, 107, 108, 109, 110, 111,
                                            129, 130, 131, 132, 133, 135, 136, 137, 138};

// The controls the user reaches with Tab in the settings dialog, in order.
inline const int kSettingsTabOrder[] = {200, 201, 202, 203, 204, 1,   2,  210,
                                        211, 212, 214, 231, 229, 224, 226};

using Rect = std::array<int, 4>;
inline Rect rectOf(const kz::DialogControl& c) {
    return {c.x, c.y, c.cx, c.cy};
}

inline std::vector<int> tabOrder(const kz::DialogTemplate& d) {
    std::vector<int> ids;
    for (UINT i = 0; i < d.controlCount; ++i) {
        if (d.controls[i].visible && d.controls[i].tabStop) {
            ids.push_back(d.controls[i].id);
        }
    }
    return ids;
}
