// The filer through which each object writes its fields when a drawing is saved. After
// each subclass the object's kept tags of that subclass follow; subclasses that no
// class wrote are written whole at the end, so unknown data comes back unchanged.
#pragma once

#include "dbfiler.h"
#include "dxf/tag_writer.h"

#include <string>
#include <vector>

namespace kz {
struct ObjectExtra;
}

namespace kz::dxf {

class WriteFiler : public AcDbDxfFiler {
public:
    WriteFiler(TagWriter& out, AcDbDatabase* db) : m_out(out), m_db(db) {}

    AcDbDatabase* database() const override { return m_db; }

    // Starts one object: its kept tags come from extra (may be null).
    void beginObject(const ObjectExtra* extra);
    // Ends it: kept tags of the last subclass, then unwritten subclasses.
    void endObject();

    void writeSubclass(const char* subclassName) override;
    void writeString(int code, std::wstring_view value) override;
    void writeUtf8(int code, std::string_view value) override;
    void writeInt16(int code, int value) override { m_out.writeInt(code, value); }
    void writeInt32(int code, std::int32_t value) override { m_out.writeInt(code, value); }
    void writeInt64(int code, std::int64_t value) override { m_out.writeInt(code, value); }
    void writeBool(int code, bool value) override { m_out.writeBool(code, value); }
    void writeDouble(int code, double value) override;
    void writePoint3d(int code, const AcGePoint3d& p) override;
    void writePoint2d(int code, double x, double y) override;
    void writeVector3d(int code, const AcGeVector3d& v) override;
    void writeHandle(int code, const AcDbHandle& h) override { m_out.writeHandle(code, h.value()); }
    void writeObjectId(int code, const AcDbObjectId& id) override;

    // Reading is not for this filer.
    bool atSubclassData(const char*) override { return false; }
    bool nextItem() override { return false; }
    int code() const override { return -1; }
    std::string_view value() const override { return {}; }
    void keepItem() override {}
    void pushBackItem() override {}
    double asDouble() override { return 0; }
    int asInt() override { return 0; }
    std::int64_t asInt64() override { return 0; }
    std::wstring asString() override { return {}; }
    AcDbHandle asHandle() override { return {}; }
    AcDbObjectId asObjectId() override { return {}; }

    // Numbers that are not finite cannot be written: they are written as 0 and counted.
    int nonFiniteValues() const { return m_nonFinite; }

private:
    // The kept tags of one occurrence of a subclass.
    void flushKept(std::string_view subclass, int occurrence);
    // The kept tags of the subclass written last, if one is open.
    void flushCurrent();
    int occurrencesWritten(std::string_view subclass) const;

    TagWriter& m_out;
    AcDbDatabase* m_db;
    const ObjectExtra* m_extra = nullptr;
    // The markers written for the current object, in order.
    std::vector<std::string> m_written;
    bool m_inSubclass = false;
    int m_nonFinite = 0;
};

} // namespace kz::dxf
