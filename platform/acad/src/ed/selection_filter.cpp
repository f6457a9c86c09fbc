#include "ed/selection_filter.h"

#include "acutmem.h"
#include "adscodes.h"
#include "dbents.h"
#include "dbsymtb.h"

#include <cwctype>

namespace kz::ed {

namespace {

wchar_t fold(wchar_t c, bool ignoreCase) {
    return ignoreCase ? static_cast<wchar_t>(std::towupper(static_cast<wint_t>(c))) : c;
}

// Reads a bracket set starting after '['; pos ends after ']'. False when unterminated.
bool matchSet(std::wstring_view p, std::size_t& pos, wchar_t c, bool ignoreCase, bool& inSet) {
    bool negate = pos < p.size() && p[pos] == L'~';
    if (negate)
        ++pos;
    bool found = false;
    bool first = true;
    while (pos < p.size() && (p[pos] != L']' || first)) {
        first = false;
        wchar_t lo = p[pos];
        if (lo == L'`' && pos + 1 < p.size())
            lo = p[++pos];
        ++pos;
        wchar_t hi = lo;
        if (pos + 1 < p.size() && p[pos] == L'-' && p[pos + 1] != L']') {
            hi = p[pos + 1];
            pos += 2;
        }
        wchar_t fc = fold(c, ignoreCase);
        if ((fc >= fold(lo, ignoreCase) && fc <= fold(hi, ignoreCase)) || (c >= lo && c <= hi))
            found = true;
    }
    if (pos >= p.size())
        return false;
    ++pos; // ']'
    inSet = found != negate;
    return true;
}

bool matchOne(std::wstring_view s, std::wstring_view p, bool ignoreCase) {
    std::size_t si = 0, pi = 0;
    std::size_t starP = std::wstring_view::npos, starS = 0;
    while (si < s.size()) {
        bool advanced = false;
        if (pi < p.size()) {
            wchar_t pc = p[pi];
            wchar_t c = s[si];
            std::size_t next = pi + 1;
            bool ok = false;
            switch (pc) {
            case L'*':
                starP = pi++;
                starS = si;
                continue;
            case L'?':
                ok = true;
                break;
            case L'#':
                ok = std::iswdigit(static_cast<wint_t>(c)) != 0;
                break;
            case L'@':
                ok = std::iswalpha(static_cast<wint_t>(c)) != 0;
                break;
            case L'.':
                ok = !std::iswalnum(static_cast<wint_t>(c));
                break;
            case L'[': {
                bool inSet = false;
                if (!matchSet(p, next, c, ignoreCase, inSet))
                    return false;
                ok = inSet;
                break;
            }
            case L'`':
                if (next < p.size()) {
                    ok = fold(p[next], ignoreCase) == fold(c, ignoreCase);
                    ++next;
                }
                break;
            default:
                ok = fold(pc, ignoreCase) == fold(c, ignoreCase);
            }
            if (ok) {
                pi = next;
                ++si;
                advanced = true;
            }
        }
        if (!advanced) {
            if (starP == std::wstring_view::npos)
                return false;
            pi = starP + 1;
            si = ++starS;
        }
    }
    while (pi < p.size() && p[pi] == L'*')
        ++pi;
    return pi == p.size();
}

// Splits at commas that are not escaped or inside brackets.
std::vector<std::wstring_view> alternatives(std::wstring_view pattern) {
    std::vector<std::wstring_view> out;
    std::size_t start = 0;
    bool inBracket = false;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        wchar_t c = pattern[i];
        if (c == L'`') {
            ++i;
        } else if (c == L'[') {
            inBracket = true;
        } else if (c == L']') {
            inBracket = false;
        } else if (c == L',' && !inBracket) {
            out.push_back(pattern.substr(start, i - start));
            start = i + 1;
        }
    }
    out.push_back(pattern.substr(start));
    return out;
}

std::wstring symbolName(AcDbObjectId id) {
    AcDbSymbolTableRecord* rec = nullptr;
    if (acdbOpenObject(rec, id, AcDb::kForRead) != Acad::eOk)
        return {};
    const ACHAR* name = nullptr;
    std::wstring out;
    if (rec->getName(name) == Acad::eOk && name)
        out = name;
    rec->close();
    return out;
}

bool hasXDataOf(const AcDbEntity* entity, const std::wstring& pattern) {
    resbuf* all = entity->xData(nullptr);
    bool found = false;
    for (resbuf* rb = all; rb && !found; rb = rb->rbnext) {
        if (rb->restype == 1001 && rb->resval.rstring && wcMatch(rb->resval.rstring, pattern, true))
            found = true;
    }
    acutRelRb(all);
    return found;
}

} // namespace

bool wcMatch(std::wstring_view string, std::wstring_view pattern, bool ignoreCase) {
    for (std::wstring_view alt : alternatives(pattern)) {
        bool negate = !alt.empty() && alt[0] == L'~';
        if (negate)
            alt.remove_prefix(1);
        if (matchOne(string, alt, ignoreCase) != negate)
            return true;
    }
    return false;
}

std::wstring entityTypeName(const AcDbEntity* entity) {
    for (const AcRxClass* cls = entity ? entity->isA() : nullptr; cls; cls = cls->myParent()) {
        const char* dxf = cls->dxfName();
        if (dxf && *dxf)
            return std::wstring(dxf, dxf + std::char_traits<char>::length(dxf));
    }
    return {};
}

std::optional<SelectionFilter> SelectionFilter::fromResbuf(const resbuf* chain, std::wstring* why) {
    SelectionFilter filter;
    for (const resbuf* rb = chain; rb; rb = rb->rbnext) {
        Test t;
        t.code = rb->restype == RTDXF0 ? 0 : rb->restype;
        switch (t.code) {
        case 0:
        case 2:
        case 6:
        case 8:
            if (rb->resval.rstring == nullptr) {
                if (why)
                    *why = L"group " + std::to_wstring(t.code) + L" without a text";
                return std::nullopt;
            }
            t.pattern = rb->resval.rstring;
            break;
        case 62:
            t.number = rb->resval.rint;
            break;
        case -3:
            while (rb->rbnext && rb->rbnext->restype == 1001) {
                rb = rb->rbnext;
                if (rb->resval.rstring)
                    t.apps.emplace_back(rb->resval.rstring);
            }
            break;
        default:
            if (why)
                *why = L"group " + std::to_wstring(rb->restype) + L" cannot be filtered on";
            return std::nullopt;
        }
        filter.m_tests.push_back(std::move(t));
    }
    return filter;
}

bool SelectionFilter::accepts(const AcDbEntity* entity) const {
    if (entity == nullptr)
        return false;
    for (const Test& t : m_tests) {
        bool ok = true;
        switch (t.code) {
        case 0:
            ok = wcMatch(entityTypeName(entity), t.pattern, true);
            break;
        case 2: {
            const AcDbBlockReference* ref = AcDbBlockReference::cast(entity);
            ok = ref && wcMatch(symbolName(ref->blockTableRecord()), t.pattern, true);
            break;
        }
        case 6:
            ok = wcMatch(symbolName(entity->linetypeId()), t.pattern, true);
            break;
        case 8:
            ok = wcMatch(symbolName(entity->layerId()), t.pattern, true);
            break;
        case 62:
            ok = entity->colorIndex() == t.number;
            break;
        case -3:
            for (const std::wstring& app : t.apps)
                ok = ok && hasXDataOf(entity, app);
            break;
        }
        if (!ok)
            return false;
    }
    return true;
}

bool SelectionFilter::accepts(AcDbObjectId id) const {
    if (m_tests.empty())
        return true;
    AcDbEntity* ent = nullptr;
    if (acdbOpenObject(ent, id, AcDb::kForRead) != Acad::eOk)
        return false;
    bool ok = accepts(ent);
    ent->close();
    return ok;
}

} // namespace kz::ed
