// FindResourceW and friends over the resource table a module exports.
#include "win_resource.h"

#include "module_record.h"

#include <algorithm>
#include <cstring>
#include <optional>

namespace kz {
namespace {

// The ordinal a resource name or type stands for: MAKEINTRESOURCE(n) or the text "#n".
// Named (textual) resources are not produced by the resource compiler, so any other
// text finds nothing.
std::optional<WORD> ordinalOf(LPCWSTR name) {
    if (IS_INTRESOURCE(name)) {
        return static_cast<WORD>(reinterpret_cast<UINT_PTR>(name));
    }
    if (name == nullptr || name[0] != L'#' || name[1] == 0) {
        return std::nullopt;
    }
    UINT value = 0;
    for (const wchar_t* p = name + 1; *p; ++p) {
        if (*p < L'0' || *p > L'9') {
            return std::nullopt;
        }
        value = value * 10 + static_cast<UINT>(*p - L'0');
        if (value > 0xFFFF) {
            return std::nullopt;
        }
    }
    return static_cast<WORD>(value);
}

const ResourceEntry* findEntry(const ResourceTable& table, WORD type, WORD id, LANGID language) {
    for (UINT i = 0; i < table.entryCount; ++i) {
        const ResourceEntry& e = table.entries[i];
        if (e.type == type && e.id == id && e.language == language) {
            return &e;
        }
    }
    return nullptr;
}

// Language choice when the caller names none: neutral, the host's language, the first.
const ResourceEntry* chooseEntry(const ResourceTable& table, WORD type, WORD id) {
    if (const ResourceEntry* e = findEntry(table, type, id, 0)) {
        return e;
    }
    if (const ResourceEntry* e = findEntry(table, type, id, hostUiLanguage())) {
        return e;
    }
    for (UINT i = 0; i < table.entryCount; ++i) {
        const ResourceEntry& e = table.entries[i];
        if (e.type == type && e.id == id) {
            return &e;
        }
    }
    return nullptr;
}

const ResourceEntry* findResource(HMODULE module, LPCWSTR type, LPCWSTR name, WORD language) {
    const ResourceTable* table = moduleResources(module);
    const auto typeOrdinal = ordinalOf(type);
    const auto nameOrdinal = ordinalOf(name);
    if (table == nullptr || !typeOrdinal || !nameOrdinal) {
        return nullptr;
    }
    if (language == MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL)) {
        return chooseEntry(*table, *typeOrdinal, *nameOrdinal);
    }
    return findEntry(*table, *typeOrdinal, *nameOrdinal, language);
}

std::uint32_t readLe32(const BYTE* p) {
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
           std::uint32_t(p[3]) << 24;
}

} // namespace

const ResourceTable* moduleResources(HINSTANCE module) {
    if (module == nullptr) {
        return nullptr;
    }
    const ResourceTable* table = reinterpret_cast<const ModuleRecord*>(module)->resources;
    if (table == nullptr || table->version != kResourceTableVersion) {
        return nullptr;
    }
    return table;
}

const DialogTemplate* findDialogTemplate(HINSTANCE module, LPCWSTR name) {
    const ResourceEntry* e = findResource(module, RT_DIALOG, name, 0);
    return e ? static_cast<const DialogTemplate*>(e->data) : nullptr;
}

const DialogTemplate* findDialogTemplate(HINSTANCE module, UINT id) {
    if (id > 0xFFFF) {
        return nullptr;
    }
    return findDialogTemplate(module, MAKEINTRESOURCEW(id));
}

const DialogControl* findDialogControl(const DialogTemplate& dialog, int id) {
    for (UINT i = 0; i < dialog.controlCount; ++i) {
        if (dialog.controls[i].id == id) {
            return &dialog.controls[i];
        }
    }
    return nullptr;
}

BitmapBits findBitmap(HINSTANCE module, UINT id) {
    BitmapBits bits;
    if (id > 0xFFFF) {
        return bits;
    }
    const ResourceEntry* e = findResource(module, RT_BITMAP, MAKEINTRESOURCEW(id), 0);
    // BITMAPINFOHEADER: size, width, height, planes, bit count, ...
    if (e == nullptr || e->size < 16) {
        return bits;
    }
    const auto* p = static_cast<const BYTE*>(e->data);
    bits.data = p;
    bits.size = e->size;
    bits.width = static_cast<LONG>(readLe32(p + 4));
    bits.height = static_cast<LONG>(readLe32(p + 8));
    bits.bitCount = static_cast<WORD>(p[14] | p[15] << 8);
    return bits;
}

} // namespace kz

HRSRC FindResourceW(HMODULE module, LPCWSTR name, LPCWSTR type) {
    return FindResourceExW(module, type, name, 0);
}

HRSRC FindResourceExW(HMODULE module, LPCWSTR type, LPCWSTR name, WORD language) {
    const kz::ResourceEntry* e = kz::findResource(module, type, name, language);
    return reinterpret_cast<HRSRC>(const_cast<kz::ResourceEntry*>(e));
}

HGLOBAL LoadResource(HMODULE module, HRSRC resource) {
    if (resource == nullptr) {
        return nullptr;
    }
    return const_cast<void*>(reinterpret_cast<const kz::ResourceEntry*>(resource)->data);
}

LPVOID LockResource(HGLOBAL data) {
    return data;
}

DWORD SizeofResource(HMODULE module, HRSRC resource) {
    if (resource == nullptr) {
        return 0;
    }
    return reinterpret_cast<const kz::ResourceEntry*>(resource)->size;
}

BOOL FreeResource(HGLOBAL data) {
    return FALSE;
}

BOOL EnumResourceLanguagesW(HMODULE module, LPCWSTR type, LPCWSTR name, ENUMRESLANGPROCW proc,
                            LONG_PTR param) {
    const kz::ResourceTable* table = kz::moduleResources(module);
    const auto typeOrdinal = kz::ordinalOf(type);
    const auto nameOrdinal = kz::ordinalOf(name);
    if (table == nullptr || proc == nullptr || !typeOrdinal || !nameOrdinal) {
        return FALSE;
    }
    bool found = false;
    for (UINT i = 0; i < table->entryCount; ++i) {
        const kz::ResourceEntry& e = table->entries[i];
        if (e.type != *typeOrdinal || e.id != *nameOrdinal) {
            continue;
        }
        found = true;
        if (!proc(module, type, name, e.language, param)) {
            return FALSE;
        }
    }
    return found ? TRUE : FALSE;
}

int LoadStringW(HINSTANCE module, UINT id, LPWSTR buffer, int bufferMax) {
    if (buffer == nullptr || bufferMax < 0) {
        return 0;
    }
    const WORD ordinal = static_cast<WORD>(id & 0xFFFF);
    const kz::ResourceEntry* block =
        kz::findResource(module, RT_STRING, MAKEINTRESOURCEW(ordinal / 16 + 1), 0);
    const wchar_t* text = nullptr;
    std::size_t length = 0;
    if (block != nullptr) {
        // Walk the counted strings before ours, never past the block's end.
        const auto* p = static_cast<const wchar_t*>(block->data);
        const wchar_t* end = p + block->size / sizeof(wchar_t);
        for (unsigned i = 0; i < ordinal % 16 && p < end; ++i) {
            p += static_cast<std::size_t>(*p) + 1;
        }
        if (p < end && static_cast<std::size_t>(*p) < static_cast<std::size_t>(end - p)) {
            length = static_cast<std::size_t>(*p);
            text = p + 1;
        }
    }
    if (bufferMax == 0) {
        *reinterpret_cast<const wchar_t**>(buffer) = length ? text : nullptr;
        return static_cast<int>(length);
    }
    const std::size_t copied = std::min(length, static_cast<std::size_t>(bufferMax - 1));
    if (copied) {
        std::memcpy(buffer, text, copied * sizeof(wchar_t));
    }
    buffer[copied] = 0;
    return static_cast<int>(copied);
}
