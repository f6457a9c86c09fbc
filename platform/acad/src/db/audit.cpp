// The audit walks every object of the database once. References are found the way a
// save finds them: each object writes its fields through a filer that only notes the
// ids it is given, so every class's references are covered without a list of them here.
#include "db/audit.h"

#include "db/database_impl.h"
#include "db/unknown.h"
#include "dbdict.h"
#include "dbdim.h"
#include "dbfiler.h"
#include "dbgroup.h"
#include "win_codepage.h"

#include <algorithm>
#include <cstdio>
#include <set>

namespace kz {

namespace {

std::string hex(std::uint64_t value) {
    char buf[20];
    std::snprintf(buf, sizeof buf, "%llX", static_cast<unsigned long long>(value));
    return buf;
}

bool live(AcDbObjectId id) {
    return id.stub() && id.stub()->object && !id.stub()->erased;
}

std::string describe(const AcDbObject* obj) {
    return dxfTypeOf(obj) + " " + hex(obj->objectId().handle().value());
}

// Notes the ids an object writes; everything else is dropped.
class ReferenceFiler : public AcDbDxfFiler {
public:
    explicit ReferenceFiler(AcDbDatabase* db) : m_db(db) {}
    struct Ref {
        int code;
        AcDbObjectId id;
    };
    std::vector<Ref> refs;

    AcDbDatabase* database() const override { return m_db; }
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
    void writeObjectId(int code, const AcDbObjectId& id) override {
        if (!id.isNull())
            refs.push_back({code, id});
    }

private:
    AcDbDatabase* m_db;
};

class Auditor {
public:
    Auditor(AcDbDatabase& db, bool fix) : m_db(db), m_impl(db.impl()), m_fix(fix) {}

    void duplicate(std::uint64_t handle) {
        // The reader has already given the second object a handle of its own: the
        // drawing as loaded is consistent, and saving it keeps both objects.
        add(AuditCode::DuplicateHandle, "handle " + hex(handle),
            "two objects of the file have this handle; the second got a new one", true);
    }

    void run() {
        std::vector<AcDbObjectId> ids;
        m_impl.forEachStub([&](const AcDbStub& s) {
            if (s.object && !s.erased)
                ids.push_back(AcDbObjectId(const_cast<AcDbStub*>(&s)));
        });
        for (AcDbObjectId id : ids) {
            AcDbObject* obj = id.stub()->object.get();
            references(obj);
            keptHandles(obj);
            links(obj);
            if (auto* dim = AcDbDimension::cast(obj))
                dimension(id, dim);
            if (auto* group = AcDbGroup::cast(obj))
                groupMembers(id, group);
            if (auto* dict = AcDbDictionary::cast(obj))
                dictionaryEntries(id, dict);
        }
    }

    std::vector<AuditFinding> findings;

private:
    void add(AuditCode code, std::string object, std::string what, bool fixed) {
        findings.push_back({code, std::move(object), std::move(what), fixed});
    }

    void references(AcDbObject* obj) {
        ReferenceFiler filer(&m_db);
        obj->dxfOutFields(&filer);
        if (obj->ownerId().stub() && !obj->ownerId().stub()->object)
            filer.refs.push_back({330, obj->ownerId()});
        std::set<std::uint64_t> seen;
        // Reports a reference that names no object (once per handle); true when it does.
        auto namesNothing = [&](int code, AcDbObjectId id, bool fixed) {
            AcDbStub* s = id.stub();
            if (!s || s->object)
                return false;
            if (seen.insert(s->handle.value()).second)
                add(AuditCode::MissingReference, describe(obj),
                    "group code " + std::to_string(code) + " names handle " +
                        hex(s->handle.value()) + ", which no object has",
                    fixed);
            return true;
        };
        for (const auto& r : filer.refs)
            namesNothing(r.code, r.id, false);
        // Persistent reactors and the extension dictionary: a save drops those that
        // point nowhere, so they are reported here or never; a fix removes them now.
        const ObjectExtra* ex = obj->extra();
        if (!ex)
            return;
        std::vector<AcDbObjectId> deadReactors;
        for (AcDbObjectId r : ex->reactors)
            if (namesNothing(330, r, m_fix))
                deadReactors.push_back(r);
        const bool deadXdict =
            !ex->xdictionary.isNull() && namesNothing(360, ex->xdictionary, m_fix);
        if (!m_fix || (deadReactors.empty() && !deadXdict))
            return;
        ObjectExtra& writable = obj->extraForWrite();
        std::erase_if(writable.reactors, [&](AcDbObjectId r) {
            return std::find(deadReactors.begin(), deadReactors.end(), r) != deadReactors.end();
        });
        if (deadXdict)
            writable.xdictionary = AcDbObjectId();
    }

    // Tags kept as read (types and fields the database does not model) name objects by
    // handle text: owner and pointer codes 330 to 369.
    void keptHandles(const AcDbObject* obj) {
        const ObjectExtra* ex = obj->extra();
        if (!ex)
            return;
        for (const KeptSubclass& sub : ex->kept) {
            for (const KeptTag& t : sub.tags) {
                if (t.code < 330 || t.code > 369)
                    continue;
                AcDbHandle h(kz::utf8ToWide(t.value).c_str());
                if (h.isNull())
                    continue;
                AcDbStub* s = m_impl.stubForHandle(h, false);
                if (s && s->object)
                    continue;
                add(AuditCode::MissingReference, describe(obj),
                    "group code " + std::to_string(t.code) + " names handle " + hex(h.value()) +
                        ", which no object has",
                    false);
            }
        }
    }

    // The KZ_DIMENSION list: strings of 1000 groups, each the handle of a linked entity.
    void links(AcDbObject* obj) {
        const ObjectExtra* ex = obj->extra();
        if (!ex)
            return;
        for (std::size_t a = 0; a < ex->xdata.size(); ++a) {
            if (ex->xdata[a].app != L"KZ_DIMENSION")
                continue;
            std::vector<std::size_t> dead;
            const auto& items = ex->xdata[a].items;
            for (std::size_t i = 0; i < items.size(); ++i) {
                if (items[i].code != 1000)
                    continue;
                std::string text = kz::wideToUtf8(items[i].text);
                AcDbHandle h(items[i].text.c_str());
                AcDbStub* s = h.isNull() ? nullptr : m_impl.stubForHandle(h, false);
                bool entity = s && s->object && AcDbEntity::cast(s->object.get());
                if (entity && !s->erased)
                    continue;
                dead.push_back(i);
                if (entity)
                    add(AuditCode::LinkToErased, describe(obj),
                        "KZ_DIMENSION entry \"" + text + "\" names an erased entity", m_fix);
                else
                    add(AuditCode::LinkToMissing, describe(obj),
                        "KZ_DIMENSION entry \"" + text + "\" names no entity", m_fix);
            }
            if (!m_fix || dead.empty())
                continue;
            // A list left empty goes, as an empty list is never written.
            auto& writable = obj->extraForWrite().xdata;
            auto& list = writable[a].items;
            for (auto it = dead.rbegin(); it != dead.rend(); ++it)
                list.erase(list.begin() + static_cast<std::ptrdiff_t>(*it));
            bool anyString = false;
            for (const auto& item : list)
                anyString = anyString || item.code == 1000;
            if (!anyString)
                writable.erase(writable.begin() + static_cast<std::ptrdiff_t>(a--));
        }
    }

    void dimension(AcDbObjectId id, AcDbDimension* dim) {
        AcDbObjectId block = dim->dimBlockId();
        if (live(block))
            return;
        bool fixed = false;
        if (m_fix) {
            AcDbDimension* open = nullptr;
            if (acdbOpenObject(open, id, AcDb::kForWrite) == Acad::eOk) {
                fixed = open->recomputeDimBlock() == Acad::eOk && live(open->dimBlockId());
                open->close();
            }
        }
        add(AuditCode::DimensionWithoutBlock, describe(dim),
            "the block that shows the dimension is not in the drawing", fixed);
    }

    void groupMembers(AcDbObjectId id, AcDbGroup* group) {
        std::vector<AcDbObjectId> dead;
        for (AcDbObjectId m : group->kzMembers())
            if (!live(m))
                dead.push_back(m);
        if (dead.empty())
            return;
        bool fixed = false;
        if (m_fix) {
            AcDbGroup* open = nullptr;
            if (acdbOpenObject(open, id, AcDb::kForWrite) == Acad::eOk) {
                fixed = true;
                for (AcDbObjectId m : dead)
                    fixed = open->remove(m) == Acad::eOk && fixed;
                open->close();
            }
        }
        for (AcDbObjectId m : dead)
            add(AuditCode::GroupMemberMissing, describe(group),
                "member " + hex(m.handle().value()) +
                    (m.stub() && m.stub()->object ? " is erased" : " is not in the drawing"),
                fixed);
    }

    void dictionaryEntries(AcDbObjectId id, AcDbDictionary* dict) {
        std::vector<std::wstring> dead;
        for (const auto& e : dict->kzEntries())
            if (!live(e.id))
                dead.push_back(e.name);
        if (dead.empty())
            return;
        bool fixed = false;
        if (m_fix) {
            AcDbDictionary* open = nullptr;
            if (acdbOpenObject(open, id, AcDb::kForWrite) == Acad::eOk) {
                fixed = true;
                for (const std::wstring& name : dead)
                    fixed = open->remove(name.c_str()) == Acad::eOk && fixed;
                open->close();
            }
        }
        for (const std::wstring& name : dead)
            add(AuditCode::DictionaryEntryMissing, describe(dict),
                "entry \"" + kz::wideToUtf8(name) + "\" names no object", fixed);
    }

    AcDbDatabase& m_db;
    DatabaseImpl& m_impl;
    bool m_fix;
};

} // namespace

std::vector<AuditFinding>
auditDrawing(AcDbDatabase& db, const std::vector<std::uint64_t>& duplicateHandles, bool fix) {
    Auditor auditor(db, fix);
    for (std::uint64_t h : duplicateHandles)
        auditor.duplicate(h);
    auditor.run();
    return std::move(auditor.findings);
}

std::string describeFinding(const AuditFinding& f) {
    return "A" + std::to_string(static_cast<int>(f.code)) + " error: " + f.object + ": " + f.what +
           (f.fixed ? " (fixed)" : "");
}

} // namespace kz
