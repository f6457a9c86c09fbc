#include "win_path.h"

#include <cerrno>
#include <cstring>
#include <string>

namespace {

bool isSeparator(wchar_t c) {
    return c == L'\\' || c == L'/';
}

struct Output {
    wchar_t* buffer;
    std::size_t size;
};

bool invalid(const Output& o) {
    return (!o.buffer && o.size != 0) || (o.buffer && o.size == 0);
}

void clear(const Output& o) {
    if (o.buffer && o.size > 0)
        o.buffer[0] = 0;
}

} // namespace

errno_t _wsplitpath_s(const wchar_t* path, wchar_t* drive, std::size_t driveSize, wchar_t* dir,
                      std::size_t dirSize, wchar_t* fname, std::size_t fnameSize, wchar_t* ext,
                      std::size_t extSize) {
    const Output outs[4] = {{drive, driveSize}, {dir, dirSize}, {fname, fnameSize}, {ext, extSize}};
    bool bad = !path;
    for (const Output& o : outs)
        bad = bad || invalid(o);
    if (bad) {
        for (const Output& o : outs)
            clear(o);
        return EINVAL;
    }
    std::wstring_view rest(path);
    std::wstring_view parts[4];
    if (rest.size() >= 2 && rest[1] == L':') {
        parts[0] = rest.substr(0, 2);
        rest.remove_prefix(2);
    }
    std::size_t lastSep = std::wstring_view::npos;
    for (std::size_t i = 0; i < rest.size(); ++i)
        if (isSeparator(rest[i]))
            lastSep = i;
    if (lastSep != std::wstring_view::npos) {
        parts[1] = rest.substr(0, lastSep + 1);
        rest.remove_prefix(lastSep + 1);
    }
    std::size_t dot = rest.rfind(L'.');
    parts[2] = rest.substr(0, dot);
    if (dot != std::wstring_view::npos)
        parts[3] = rest.substr(dot);
    for (int i = 0; i < 4; ++i) {
        if (outs[i].buffer && parts[i].size() >= outs[i].size) {
            for (const Output& o : outs)
                clear(o);
            return ERANGE;
        }
    }
    for (int i = 0; i < 4; ++i) {
        if (!outs[i].buffer)
            continue;
        std::wmemcpy(outs[i].buffer, parts[i].data(), parts[i].size());
        outs[i].buffer[parts[i].size()] = 0;
    }
    return 0;
}

void _wsplitpath(const wchar_t* path, wchar_t* drive, wchar_t* dir, wchar_t* fname, wchar_t* ext) {
    _wsplitpath_s(path, drive, drive ? _MAX_DRIVE : 0, dir, dir ? _MAX_DIR : 0, fname,
                  fname ? _MAX_FNAME : 0, ext, ext ? _MAX_EXT : 0);
}

errno_t _wmakepath_s(wchar_t* path, std::size_t size, const wchar_t* drive, const wchar_t* dir,
                     const wchar_t* fname, const wchar_t* ext) {
    if (!path || size == 0)
        return EINVAL;
    std::wstring out;
    if (drive && *drive) {
        out.push_back(drive[0]);
        out.push_back(L':');
    }
    if (dir && *dir) {
        std::wstring_view d(dir);
        out.append(d);
        if (!isSeparator(d.back())) {
            std::size_t sep = d.find_last_of(L"\\/");
            out.push_back(sep == std::wstring_view::npos ? L'\\' : d[sep]);
        }
    }
    if (fname)
        out.append(fname);
    if (ext && *ext) {
        if (ext[0] != L'.')
            out.push_back(L'.');
        out.append(ext);
    }
    if (out.size() >= size) {
        path[0] = 0;
        return ERANGE;
    }
    std::wmemcpy(path, out.c_str(), out.size() + 1);
    return 0;
}

void _wmakepath(wchar_t* path, const wchar_t* drive, const wchar_t* dir, const wchar_t* fname,
                const wchar_t* ext) {
    _wmakepath_s(path, _MAX_PATH, drive, dir, fname, ext);
}
