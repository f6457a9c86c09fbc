#include "write_filer.h"

#include "db/object_extra.h"
#include "win_codepage.h"

#include <algorithm>
#include <cmath>

namespace kz::dxf {

void WriteFiler::beginObject(const ObjectExtra* extra) {
    m_extra = extra;
    m_written.clear();
    m_inSubclass = false;
    // Tags read before any subclass marker (files without markers) come first.
    flushKept("", 0);
}

int WriteFiler::occurrencesWritten(std::string_view subclass) const {
    return static_cast<int>(std::count(m_written.begin(), m_written.end(), subclass));
}

void WriteFiler::flushKept(std::string_view subclass, int occurrence) {
    if (!m_extra)
        return;
    if (const KeptSubclass* kept = m_extra->findKept(std::string(subclass), occurrence))
        for (const KeptTag& t : kept->tags)
            m_out.writeVerbatim(t.code, t.value);
}

void WriteFiler::flushCurrent() {
    if (m_inSubclass)
        flushKept(m_written.back(), occurrencesWritten(m_written.back()) - 1);
}

void WriteFiler::writeSubclass(const char* subclassName) {
    flushCurrent();
    m_written.emplace_back(subclassName);
    m_inSubclass = true;
    m_out.writeString(100, subclassName);
}

void WriteFiler::endObject() {
    flushCurrent();
    m_inSubclass = false;
    if (!m_extra)
        return;
    // Occurrences of a subclass the classes did not write (an unknown part, or a part
    // given more often than the class writes it) go out whole, in the order read.
    for (const KeptSubclass& k : m_extra->kept) {
        if (k.name.empty() || k.occurrence < occurrencesWritten(k.name))
            continue;
        m_out.writeString(100, k.name);
        for (const KeptTag& t : k.tags)
            m_out.writeVerbatim(t.code, t.value);
    }
    m_extra = nullptr;
}

void WriteFiler::writeString(int code, std::wstring_view value) {
    m_out.writeString(code, kz::wideToUtf8(value));
}

void WriteFiler::writeUtf8(int code, std::string_view value) {
    m_out.writeString(code, value);
}

void WriteFiler::writeDouble(int code, double value) {
    if (!std::isfinite(value)) {
        ++m_nonFinite;
        value = 0;
    }
    m_out.writeDouble(code, value);
}

void WriteFiler::writePoint3d(int code, const AcGePoint3d& p) {
    writeDouble(code, p.x);
    writeDouble(code + 10, p.y);
    writeDouble(code + 20, p.z);
}

void WriteFiler::writePoint2d(int code, double x, double y) {
    writeDouble(code, x);
    writeDouble(code + 10, y);
}

void WriteFiler::writeVector3d(int code, const AcGeVector3d& v) {
    writeDouble(code, v.x);
    writeDouble(code + 10, v.y);
    writeDouble(code + 20, v.z);
}

void WriteFiler::writeObjectId(int code, const AcDbObjectId& id) {
    if (id.isNull() || id.handle().isNull())
        m_out.writeVerbatim(code, "0");
    else
        m_out.writeHandle(code, id.handle().value());
}

} // namespace kz::dxf
