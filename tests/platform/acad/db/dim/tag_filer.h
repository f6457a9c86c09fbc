// A filer that keeps the tags an object writes and hands them back when the object
// reads: a round trip through an object's DXF fields without a file.
#pragma once

#include "dbmain.h"
#include "win_codepage.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

class TagFiler : public AcDbDxfFiler {
public:
    struct Tag {
        int code;
        std::string value;
    };
    explicit TagFiler(AcDbDatabase* db) : m_db(db) {}

    std::vector<Tag> tags;
    std::vector<Tag> kept;

    // The value of the first tag with this code after the given subclass marker.
    const std::string* find(int code, const char* subclass = nullptr) const {
        bool in = subclass == nullptr;
        for (auto& t : tags) {
            if (t.code == 100)
                in = subclass == nullptr || t.value == subclass;
            else if (in && t.code == code)
                return &t.value;
        }
        return nullptr;
    }
    std::vector<std::string> markers() const {
        std::vector<std::string> m;
        for (auto& t : tags)
            if (t.code == 100)
                m.push_back(t.value);
        return m;
    }

    AcDbDatabase* database() const override { return m_db; }
    bool atSubclassData(const char* name) override {
        m_sel.clear();
        bool in = false;
        for (std::size_t i = 0; i < tags.size(); ++i) {
            if (tags[i].code == 100)
                in = tags[i].value == name;
            else if (in)
                m_sel.push_back(i);
        }
        m_pos = -1;
        return true;
    }
    bool nextItem() override { return ++m_pos < static_cast<long>(m_sel.size()); }
    int code() const override { return cur().code; }
    std::string_view value() const override { return cur().value; }
    void keepItem() override { kept.push_back(cur()); }
    void pushBackItem() override { --m_pos; }
    double asDouble() override { return std::strtod(cur().value.c_str(), nullptr); }
    int asInt() override { return std::atoi(cur().value.c_str()); }
    std::int64_t asInt64() override { return std::atoll(cur().value.c_str()); }
    std::wstring asString() override { return kz::utf8ToWide(cur().value); }
    AcDbHandle asHandle() override { return AcDbHandle(cur().value.c_str()); }
    AcDbObjectId asObjectId() override {
        AcDbObjectId id;
        m_db->getAcDbObjectId(id, true, asHandle());
        return id;
    }

    void writeSubclass(const char* name) override { tags.push_back({100, name}); }
    void writeString(int code, std::wstring_view v) override {
        tags.push_back({code, kz::wideToUtf8(std::wstring(v))});
    }
    void writeUtf8(int code, std::string_view v) override {
        tags.push_back({code, std::string(v)});
    }
    void writeInt16(int code, int v) override { tags.push_back({code, std::to_string(v)}); }
    void writeInt32(int code, std::int32_t v) override {
        tags.push_back({code, std::to_string(v)});
    }
    void writeInt64(int code, std::int64_t v) override {
        tags.push_back({code, std::to_string(v)});
    }
    void writeBool(int code, bool v) override { tags.push_back({code, v ? "1" : "0"}); }
    void writeDouble(int code, double v) override {
        char buf[40];
        std::snprintf(buf, sizeof buf, "%.17g", v);
        tags.push_back({code, buf});
    }
    void writePoint3d(int code, const AcGePoint3d& p) override {
        writeDouble(code, p.x);
        writeDouble(code + 10, p.y);
        writeDouble(code + 20, p.z);
    }
    void writePoint2d(int code, double x, double y) override {
        writeDouble(code, x);
        writeDouble(code + 10, y);
    }
    void writeVector3d(int code, const AcGeVector3d& v) override {
        writeDouble(code, v.x);
        writeDouble(code + 10, v.y);
        writeDouble(code + 20, v.z);
    }
    void writeHandle(int code, const AcDbHandle& h) override {
        char buf[20];
        h.getIntoAsciiBuffer(buf, sizeof buf);
        tags.push_back({code, buf});
    }
    void writeObjectId(int code, const AcDbObjectId& id) override {
        writeHandle(code, id.handle());
    }

private:
    const Tag& cur() const { return tags[m_sel[static_cast<std::size_t>(m_pos)]]; }
    AcDbDatabase* m_db;
    std::vector<std::size_t> m_sel;
    long m_pos = -1;
};
