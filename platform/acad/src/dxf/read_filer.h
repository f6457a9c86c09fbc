// The filer that gives one object its tags while a DXF file is read. The tags of the
// object arrive split by subclass marker; the classes take what they model, and every
// tag left over is kept on the object to be written back unchanged.
#pragma once

#include "dbfiler.h"
#include "dbmain.h"
#include "dxf/tag_reader.h"

#include <string>
#include <vector>

namespace kz::dxf {

struct ObjectTags;

// One filer serves every object of a file in turn (start), so that its lists are
// allocated once per file rather than once per object.
class ReadFiler : public AcDbDxfFiler {
public:
    ReadFiler(const TagFile& file, AcDbDatabase* db);
    // Begins the next object. tags: its tags without the common part (handle,
    // application groups and owner) and without its extended data, in file order.
    void start(const std::vector<const Tag*>& tags);

    AcDbDatabase* database() const override { return m_db; }

    bool atSubclassData(const char* subclassName) override;
    bool nextItem() override;
    int code() const override { return m_current ? m_current->code : -1; }
    std::string_view value() const override { return m_current ? m_current->value : ""; }
    void keepItem() override;
    void pushBackItem() override;

    double asDouble() override;
    int asInt() override;
    std::int64_t asInt64() override;
    std::wstring asString() override;
    AcDbHandle asHandle() override;
    AcDbObjectId asObjectId() override;

    // Everything the classes did not take goes to the object's kept tags.
    void keepTheRest(AcDbObject* obj);
    // The first value that could not be converted, as "file:line: ..."; empty if none.
    const std::string& firstError() const { return m_error; }
    bool hasMarkers() const { return m_hasMarkers; }

    // Writing is not for this filer: these do nothing.
    void writeSubclass(const char*) override {}
    void writeString(int, std::wstring_view) override {}
    void writeUtf8(int, std::string_view) override {}
    void writeInt16(int, int) override {}
    void writeInt32(int, std::int32_t) override {}
    void writeInt64(int, std::int64_t) override {}
    void writeBool(int, bool) override {}
    void writeDouble(int, double) override {}
    void writePoint3d(int, const AcGePoint3d&) override {}
    void writePoint2d(int, double, double) override {}
    void writeVector3d(int, const AcGeVector3d&) override {}
    void writeHandle(int, const AcDbHandle&) override {}
    void writeObjectId(int, const AcDbObjectId&) override {}

private:
    // The tags of one subclass: [begin, end) of m_tags; the marker itself is not there.
    struct Subclass {
        std::string_view name;
        std::size_t begin = 0;
        std::size_t end = 0;
        bool selected = false;
    };
    void fail(const char* wanted);

    const TagFile& m_file;
    AcDbDatabase* m_db;
    std::vector<const Tag*> m_tags;
    std::vector<char> m_taken; // per entry of m_tags: a class has read it
    std::vector<Subclass> m_subclasses;
    bool m_hasMarkers = false;
    Subclass* m_selected = nullptr;
    std::size_t m_cursor = 0;
    const Tag* m_current = nullptr;
    std::size_t m_currentIndex = 0;
    std::string m_error;
};

} // namespace kz::dxf
