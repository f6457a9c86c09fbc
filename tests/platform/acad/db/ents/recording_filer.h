// A DXF filer for tests: records what an object writes as a list of tags, and feeds
// such a list back to an object's reader with subclass selection and kept tags as the
// real filer does.
#pragma once

#include "dbfiler.h"
#include "dbmain.h"

#include <string>
#include <vector>

struct Tag {
    int code;
    std::string value;
    bool operator==(const Tag&) const = default;
};

class RecordingFiler : public AcDbDxfFiler {
public:
    explicit RecordingFiler(AcDbDatabase* db, std::vector<Tag> input = {});

    std::vector<Tag> written;
    std::vector<Tag> kept; // tags the reader handed back

    // The tags written after the marker of this subclass, up to the next marker.
    std::vector<Tag> subclass(const std::string& name) const;
    // Values of every tag with this code written, in order.
    std::vector<std::string> values(int code) const;

    AcDbDatabase* database() const override { return m_db; }
    bool atSubclassData(const char* subclassName) override;
    bool nextItem() override;
    int code() const override { return m_input[m_current].code; }
    std::string_view value() const override { return m_input[m_current].value; }
    void keepItem() override { kept.push_back(m_input[m_current]); }
    void pushBackItem() override { m_taken[m_current] = false, m_next = m_current; }
    double asDouble() override;
    int asInt() override;
    std::int64_t asInt64() override;
    std::wstring asString() override;
    AcDbHandle asHandle() override;
    AcDbObjectId asObjectId() override;

    void writeSubclass(const char* subclassName) override;
    void writeString(int code, std::wstring_view value) override;
    void writeUtf8(int code, std::string_view value) override;
    void writeInt16(int code, int value) override;
    void writeInt32(int code, std::int32_t value) override;
    void writeInt64(int code, std::int64_t value) override;
    void writeBool(int code, bool value) override;
    void writeDouble(int code, double value) override;
    void writePoint3d(int code, const AcGePoint3d& p) override;
    void writePoint2d(int code, double x, double y) override;
    void writeVector3d(int code, const AcGeVector3d& v) override;
    void writeHandle(int code, const AcDbHandle& h) override;
    void writeObjectId(int code, const AcDbObjectId& id) override;

private:
    AcDbDatabase* m_db;
    std::vector<Tag> m_input;
    std::vector<bool> m_taken;
    std::size_t m_begin = 0, m_end = 0, m_next = 0, m_current = 0;
};

// Writes the object's fields and reads them into a new object of the same class.
template <class T> T* roundTrip(const T& source, AcDbDatabase* db, RecordingFiler* out = nullptr) {
    RecordingFiler writer(db);
    source.dxfOutFields(&writer);
    RecordingFiler reader(db, writer.written);
    auto* copy = T::cast(source.isA()->create());
    copy->dxfInFields(&reader);
    if (out)
        *out = writer;
    return copy;
}
