#include "xdata_list_codec.h"

#include "acutmem.h"

#include <cwchar>

namespace kz::tovix {

namespace {

std::size_t utf8Length(wchar_t c) {
    auto u = static_cast<std::uint32_t>(c);
    return u < 0x80 ? 1 : u < 0x800 ? 2 : u < 0x10000 ? 3 : 4;
}

bool isBrace(const resbuf* rb, const wchar_t* brace) {
    return rb->restype == 1002 && rb->resval.rstring && std::wcscmp(rb->resval.rstring, brace) == 0;
}

resbuf* newStringRb(int type, const wchar_t* text) {
    resbuf* rb = acutNewRb(type);
    rb->resval.rstring = acutNewString(text);
    return rb;
}

} // namespace

std::vector<std::wstring> decodeStringList(const resbuf* chain) {
    std::vector<std::wstring> out;
    const resbuf* rb = chain;
    if (rb && rb->restype == 1001)
        rb = rb->rbnext;
    int depth = 0;
    std::wstring pending;
    for (; rb && rb->restype != 1001; rb = rb->rbnext) {
        if (isBrace(rb, L"{")) {
            if (depth++ == 0)
                pending.clear();
        } else if (isBrace(rb, L"}")) {
            if (depth > 0 && --depth == 0)
                out.push_back(pending);
        } else if (rb->restype == 1000) {
            const wchar_t* text = rb->resval.rstring ? rb->resval.rstring : L"";
            if (depth > 0)
                pending += text;
            else
                out.emplace_back(text);
        }
    }
    // An unclosed brace still yields what it gathered rather than losing it.
    if (depth > 0)
        out.push_back(pending);
    return out;
}

std::vector<std::wstring> splitByUtf8Bytes(const std::wstring& text, std::size_t maxBytes) {
    std::vector<std::wstring> pieces;
    std::wstring piece;
    std::size_t bytes = 0;
    for (wchar_t c : text) {
        std::size_t n = utf8Length(c);
        if (bytes + n > maxBytes && !piece.empty()) {
            pieces.push_back(piece);
            piece.clear();
            bytes = 0;
        }
        piece.push_back(c);
        bytes += n;
    }
    if (!piece.empty() || pieces.empty())
        pieces.push_back(piece);
    return pieces;
}

resbuf* encodeStringList(const wchar_t* app, const std::vector<std::wstring>& strings) {
    resbuf* head = newStringRb(1001, app);
    resbuf* tail = head;
    auto append = [&tail](resbuf* rb) {
        tail->rbnext = rb;
        tail = rb;
    };
    for (const auto& s : strings) {
        std::vector<std::wstring> pieces = splitByUtf8Bytes(s, kMaxGroupBytes);
        if (pieces.size() == 1) {
            append(newStringRb(1000, pieces[0].c_str()));
            continue;
        }
        append(newStringRb(1002, L"{"));
        for (const auto& p : pieces)
            append(newStringRb(1000, p.c_str()));
        append(newStringRb(1002, L"}"));
    }
    return head;
}

} // namespace kz::tovix
