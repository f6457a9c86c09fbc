#include "read_filer.h"

#include "db/database_impl.h"
#include "dxf/tag_values.h"
#include "win_codepage.h"

#include <algorithm>
#include <cstring>

namespace kz::dxf {

ReadFiler::ReadFiler(const TagFile& file, AcDbDatabase* db) : m_file(file), m_db(db) {}

void ReadFiler::start(const std::vector<const Tag*>& tags) {
    m_tags.clear();
    m_subclasses.clear();
    m_hasMarkers = false;
    m_selected = nullptr;
    m_cursor = 0;
    m_current = nullptr;
    m_currentIndex = 0;
    m_error.clear();
    m_subclasses.push_back({});
    for (const Tag* t : tags) {
        if (t->code == 100) {
            m_hasMarkers = true;
            m_subclasses.back().end = m_tags.size();
            Subclass sc;
            sc.name = t->value;
            sc.begin = m_tags.size();
            m_subclasses.push_back(sc);
            continue;
        }
        m_tags.push_back(t);
    }
    m_subclasses.back().end = m_tags.size();
    m_taken.assign(m_tags.size(), 0);
}

bool ReadFiler::atSubclassData(const char* subclassName) {
    m_current = nullptr;
    if (!m_hasMarkers) {
        // Files without markers: every class reads from the one pool.
        m_selected = &m_subclasses.front();
        m_selected->selected = true;
        m_cursor = m_selected->begin;
        return true;
    }
    for (auto& sc : m_subclasses) {
        if (!sc.name.empty() && sc.name == subclassName && !sc.selected) {
            sc.selected = true;
            m_selected = &sc;
            m_cursor = sc.begin;
            return true;
        }
    }
    m_selected = nullptr;
    return false;
}

bool ReadFiler::nextItem() {
    m_current = nullptr;
    if (!m_selected)
        return false;
    while (m_cursor < m_selected->end) {
        std::size_t i = m_cursor++;
        if (m_taken[i])
            continue;
        m_taken[i] = 1;
        m_current = m_tags[i];
        m_currentIndex = i;
        return true;
    }
    return false;
}

void ReadFiler::keepItem() {
    if (m_current && m_selected)
        m_taken[m_currentIndex] = 0;
}

void ReadFiler::pushBackItem() {
    if (m_current && m_selected) {
        m_taken[m_currentIndex] = 0;
        m_cursor = m_currentIndex;
        m_current = nullptr;
    }
}

void ReadFiler::fail(const char* wanted) {
    if (!m_error.empty() || !m_current)
        return;
    m_error = m_file
                  .errorAt(*m_current, DxfProblem::NotANumber,
                           "value " + quoteForMessage(m_current->value) + " is not " + wanted +
                               " for group code " + std::to_string(m_current->code))
                  .message;
}

double ReadFiler::asDouble() {
    double v = 0;
    if (!m_current || parseDouble(m_current->value, v) != ParseStatus::Ok) {
        fail("a number");
        return 0;
    }
    return v;
}

int ReadFiler::asInt() {
    std::int32_t v = 0;
    if (!m_current || parseInt32(m_current->value, v) != ParseStatus::Ok) {
        fail("an integer");
        return 0;
    }
    return v;
}

std::int64_t ReadFiler::asInt64() {
    std::int64_t v = 0;
    if (!m_current || parseInt64(m_current->value, v) != ParseStatus::Ok) {
        fail("an integer");
        return 0;
    }
    return v;
}

std::wstring ReadFiler::asString() {
    if (!m_current)
        return std::wstring();
    // Text reaches the host's API as C strings, which end at NUL: a name holding one (a
    // damaged file's "^@") would be another name to every look-up.
    std::string_view v = m_current->value;
    const bool ascii = std::all_of(v.begin(), v.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    // ASCII (nearly every value) widens as it is; the rest is decoded.
    std::wstring text = ascii ? std::wstring(v.begin(), v.end()) : kz::utf8ToWide(v);
    std::erase(text, L'\0');
    return text;
}

AcDbHandle ReadFiler::asHandle() {
    std::uint64_t h = 0;
    if (!m_current || parseHandle(m_current->value, h) != ParseStatus::Ok) {
        fail("a handle");
        return AcDbHandle();
    }
    return AcDbHandle(h);
}

AcDbObjectId ReadFiler::asObjectId() {
    AcDbHandle h = asHandle();
    AcDbObjectId id;
    if (!h.isNull() && m_db)
        m_db->getAcDbObjectId(id, true, h);
    return id;
}

void ReadFiler::keepTheRest(AcDbObject* obj) {
    for (std::size_t n = 0; n < m_subclasses.size(); ++n) {
        const Subclass& sc = m_subclasses[n];
        bool any = false;
        for (std::size_t i = sc.begin; i < sc.end && !any; ++i)
            any = !m_taken[i];
        // A subclass no class selected is kept whole, marker included, even when it
        // holds no tags.
        if (!any && (sc.selected || sc.name.empty()))
            continue;
        // The same marker earlier in the object makes this a later occurrence of it.
        int occurrence = 0;
        for (std::size_t e = 1; e < n; ++e)
            occurrence += m_subclasses[e].name == sc.name ? 1 : 0;
        auto& kept = obj->extraForWrite().keptFor(std::string(sc.name), occurrence);
        for (std::size_t i = sc.begin; i < sc.end; ++i)
            if (!m_taken[i])
                kept.tags.push_back({m_tags[i]->code, std::string(m_tags[i]->value)});
    }
    if (!m_hasMarkers && obj->extra())
        obj->extraForWrite().noMarkers = true;
}

} // namespace kz::dxf
