#include "recording_filer.h"

#include "win_codepage.h"

#include <cstdio>
#include <cstdlib>

RecordingFiler::RecordingFiler(AcDbDatabase* db, std::vector<Tag> input)
    : m_db(db), m_input(std::move(input)), m_taken(m_input.size(), false) {}

std::vector<Tag> RecordingFiler::subclass(const std::string& name) const {
    std::vector<Tag> out;
    bool in = false;
    for (auto& t : written) {
        if (t.code == 100) {
            in = t.value == name;
            continue;
        }
        if (in)
            out.push_back(t);
    }
    return out;
}

std::vector<std::string> RecordingFiler::values(int code) const {
    std::vector<std::string> out;
    for (auto& t : written)
        if (t.code == code)
            out.push_back(t.value);
    return out;
}

bool RecordingFiler::atSubclassData(const char* name) {
    // Each call selects the next group under a marker of this name not yet selected,
    // so a class written under two markers of one name reads both.
    for (std::size_t i = 0; i < m_input.size(); ++i) {
        if (m_input[i].code != 100 || m_input[i].value != name || m_taken[i])
            continue;
        m_taken[i] = true;
        m_begin = m_next = i + 1;
        m_end = m_begin;
        while (m_end < m_input.size() && m_input[m_end].code != 100)
            ++m_end;
        return true;
    }
    m_begin = m_end = m_next = 0;
    return false;
}

bool RecordingFiler::nextItem() {
    while (m_next < m_end && m_taken[m_next])
        ++m_next;
    if (m_next >= m_end)
        return false;
    m_current = m_next++;
    m_taken[m_current] = true;
    return true;
}

double RecordingFiler::asDouble() {
    return std::strtod(m_input[m_current].value.c_str(), nullptr);
}
int RecordingFiler::asInt() {
    return std::atoi(m_input[m_current].value.c_str());
}
std::int64_t RecordingFiler::asInt64() {
    return std::atoll(m_input[m_current].value.c_str());
}
std::wstring RecordingFiler::asString() {
    return kz::utf8ToWide(m_input[m_current].value);
}
AcDbHandle RecordingFiler::asHandle() {
    return AcDbHandle(m_input[m_current].value.c_str());
}

AcDbObjectId RecordingFiler::asObjectId() {
    AcDbObjectId id;
    if (m_db)
        m_db->getAcDbObjectId(id, true, asHandle());
    return id;
}

void RecordingFiler::writeSubclass(const char* name) {
    written.push_back({100, name});
}
void RecordingFiler::writeString(int code, std::wstring_view value) {
    written.push_back({code, kz::wideToUtf8(value)});
}
void RecordingFiler::writeUtf8(int code, std::string_view value) {
    written.push_back({code, std::string(value)});
}
void RecordingFiler::writeInt16(int code, int value) {
    written.push_back({code, std::to_string(value)});
}
void RecordingFiler::writeInt32(int code, std::int32_t value) {
    written.push_back({code, std::to_string(value)});
}
void RecordingFiler::writeInt64(int code, std::int64_t value) {
    written.push_back({code, std::to_string(value)});
}
void RecordingFiler::writeBool(int code, bool value) {
    written.push_back({code, value ? "1" : "0"});
}
void RecordingFiler::writeDouble(int code, double value) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.17g", value);
    written.push_back({code, buf});
}
void RecordingFiler::writePoint3d(int code, const AcGePoint3d& p) {
    writeDouble(code, p.x);
    writeDouble(code + 10, p.y);
    writeDouble(code + 20, p.z);
}
void RecordingFiler::writePoint2d(int code, double x, double y) {
    writeDouble(code, x);
    writeDouble(code + 10, y);
}
void RecordingFiler::writeVector3d(int code, const AcGeVector3d& v) {
    writePoint3d(code, AcGePoint3d(v.x, v.y, v.z));
}
void RecordingFiler::writeHandle(int code, const AcDbHandle& h) {
    char buf[17];
    h.getIntoAsciiBuffer(buf, sizeof buf);
    written.push_back({code, buf});
}
void RecordingFiler::writeObjectId(int code, const AcDbObjectId& id) {
    if (id.isNull())
        written.push_back({code, "0"});
    else
        writeHandle(code, id.handle());
}
