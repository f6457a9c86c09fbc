// The drawing database: objects, entities, the database itself, and the calls that
// open objects by id.
//
// Every database-resident object is reached through its id and used between an open
// and a close: many readers or one writer at a time; an erased object opens only when
// asked for explicitly. Objects made with new are not in any database until added to
// one; they are open for write from the start and are deleted by their owner.
#pragma once

#include "AdAChar.h"
#include "acadstrc.h"
#include "acarray.h"
#include "acdb.h"
#include "adsdef.h"
#include "acutmem.h"
#include "dbcolor.h"
#include "dbfiler.h"
#include "dbhandle.h"
#include "dbid.h"
#include "gemat3d.h"
#include "gepnt3d.h"
#include "gept3dar.h"
#include "rxobject.h"

#include <memory>
#include <vector>

class AcDbDatabase;
class AcDbExtents;
class AcDbBlockTable;
class AcDbLayerTable;
class AcDbLinetypeTable;
class AcDbTextStyleTable;
class AcDbRegAppTable;
class AcDbDimStyleTable;
class AcDbViewportTable;
class AcDbViewTable;
class AcDbUCSTable;
class AcDbSymbolTable;
class AcDbDictionary;

typedef AcArray<AcDbObjectId> AcDbObjectIdArray;

namespace kz {
struct ObjectExtra; // extended data, persistent reactors and DXF data kept for saving
class DatabaseImpl;
} // namespace kz

class AcDbObject : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(AcDbObject);

    AcDbObject();
    AcDbObject(const AcDbObject& other); // copies the data, not the identity
    AcDbObject& operator=(const AcDbObject&) = delete;
    ~AcDbObject() override;

    AcDbObjectId objectId() const { return m_id; }
    AcDbObjectId ownerId() const { return m_ownerId; }
    virtual Acad::ErrorStatus setOwnerId(AcDbObjectId ownerId);
    AcDbDatabase* database() const;
    AcDbHandle handle() const;
    void getAcDbHandle(AcDbHandle& handle) const { handle = this->handle(); }

    // ---- open state ----
    Acad::ErrorStatus close();
    Acad::ErrorStatus cancel();
    Acad::ErrorStatus upgradeOpen();
    Acad::ErrorStatus downgradeOpen();
    bool isReadEnabled() const;
    bool isWriteEnabled() const;
    bool isNotifyEnabled() const { return m_notifiers > 0; }
    bool isNewObject() const { return m_id.isNull(); }
    bool isModified() const { return m_modified; }
    // Marks the object changed; a database-resident object must be open for write
    // (a breach is counted by the database and reported by its checks, not fatal).
    void assertWriteEnabled() const;
    void assertReadEnabled() const;

    // This host keeps no undo record: the call only remembers the request.
    void disableUndoRecording(bool disable) { m_undoDisabled = disable; }
    bool undoRecordingDisabled() const { return m_undoDisabled; }

    // ---- erasing ----
    bool isErased() const;
    Acad::ErrorStatus erase(bool erasing = true);

    // ---- extended data ----
    // A copy of the extended data: of one registered application, or of all when the
    // name is null. The caller frees the chain with acutRelRb. Null when there is none.
    resbuf* xData(const ACHAR* regappName = nullptr) const;
    // Replaces the extended data of each application that the chain names; an
    // application with no items after its name loses its data. Each application
    // must be registered in the object's database.
    Acad::ErrorStatus setXData(const resbuf* xdata);

    // ---- reactors and extension dictionary ----
    AcDbObjectId extensionDictionary() const;
    void addPersistentReactor(AcDbObjectId reactorId);
    Acad::ErrorStatus removePersistentReactor(AcDbObjectId reactorId);
    AcDbObjectIdArray getPersistentReactors() const;

    // ---- DXF ----
    virtual Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer);
    virtual Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const;

    // A copy that is in no database and open for write.
    AcRxObject* clone() const override { return nullptr; }

    // Host internals ------------------------------------------------------------
    kz::ObjectExtra* extra() const { return m_extra.get(); }
    kz::ObjectExtra& extraForWrite();
    void kzAttach(AcDbObjectId id);
    void kzSetModified(bool modified) { m_modified = modified; }

protected:
    // Called when a write open ends with the object changed (dimensions rebuild their
    // block here).
    virtual void subClose() {}
    virtual Acad::ErrorStatus subErase(bool erasing) { return Acad::eOk; }

private:
    friend class kz::DatabaseImpl;

    AcDbObjectId m_id;
    AcDbObjectId m_ownerId;
    std::unique_ptr<kz::ObjectExtra> m_extra;
    int m_readers = 0;
    int m_notifiers = 0;
    bool m_writer = false;
    bool m_modified = false;
    bool m_undoDisabled = false;
    friend Acad::ErrorStatus acdbOpenAcDbObject(AcDbObject*&, AcDbObjectId, AcDb::OpenMode, bool);
};

class AcDbEntity : public AcDbObject {
public:
    ACRX_DECLARE_MEMBERS(AcDbEntity);

    AcDbEntity() = default;
    AcDbEntity(const AcDbEntity& other) = default;

    AcDbObjectId blockId() const { return ownerId(); }

    AcCmColor color() const { return m_color; }
    virtual Acad::ErrorStatus setColor(const AcCmColor& color, bool doSubents = true);
    Adesk::UInt16 colorIndex() const { return m_color.colorIndex(); }
    virtual Acad::ErrorStatus setColorIndex(Adesk::UInt16 color, bool doSubents = true);

    // The layer's name, newly allocated: free it with acutDelString.
    ACHAR* layer() const;
    AcDbObjectId layerId() const { return m_layerId; }
    // The layer must exist in the database (the working one for an entity in none).
    virtual Acad::ErrorStatus setLayer(const ACHAR* newVal, bool doSubents = true,
                                       bool allowHiddenLayer = false);
    virtual Acad::ErrorStatus setLayer(AcDbObjectId newVal, bool doSubents = true,
                                       bool allowHiddenLayer = false);

    // The linetype's name, newly allocated: free it with acutDelString.
    ACHAR* linetype() const;
    AcDbObjectId linetypeId() const { return m_linetypeId; }
    virtual Acad::ErrorStatus setLinetype(const ACHAR* newVal, bool doSubents = true);
    virtual Acad::ErrorStatus setLinetype(AcDbObjectId newVal, bool doSubents = true);
    double linetypeScale() const { return m_linetypeScale; }
    virtual Acad::ErrorStatus setLinetypeScale(double scale, bool doSubents = true);

    AcDb::LineWeight lineWeight() const { return m_lineWeight; }
    virtual Acad::ErrorStatus setLineWeight(AcDb::LineWeight weight, bool doSubents = true);

    AcDb::Visibility visibility() const { return m_visibility; }
    virtual Acad::ErrorStatus setVisibility(AcDb::Visibility visibility, bool doSubents = true);

    // Layer, linetype and colour from the database's current settings.
    void setDatabaseDefaults(AcDbDatabase* db = nullptr);

    // ---- geometry ----
    virtual Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const;
    virtual Acad::ErrorStatus intersectWith(const AcDbEntity* other, AcDb::Intersect type,
                                            AcGePoint3dArray& points, Adesk::GsMarker thisGsMarker = 0,
                                            Adesk::GsMarker otherGsMarker = 0) const;
    virtual Acad::ErrorStatus transformBy(const AcGeMatrix3d& xform);

    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;

    // Host internals: entities that DXF files follow with sub-entities of their own (a
    // polyline's vertices, a block reference's attributes) and a SEQEND. Such a class
    // returns its list of sub-entity ids (owned by it, in order) and the id of its
    // SEQEND; the file reader fills both, the writer writes them after the entity.
    virtual std::vector<AcDbObjectId>* kzSubentities() { return nullptr; }
    virtual AcDbObjectId* kzSequenceEnd() { return nullptr; }

private:
    AcCmColor m_color;
    AcDbObjectId m_layerId;
    AcDbObjectId m_linetypeId;
    double m_linetypeScale = 1.0;
    AcDb::LineWeight m_lineWeight = AcDb::kLnWtByLayer;
    AcDb::Visibility m_visibility = AcDb::kVisible;
    bool m_paperSpace = false; // group 67, kept as read
};

// The SEQEND entity that closes a sequence of sub-entities in DXF files.
class AcDbSequenceEnd : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(AcDbSequenceEnd);
};

// ---- opening objects ----
Acad::ErrorStatus acdbOpenAcDbObject(AcDbObject*& obj, AcDbObjectId id, AcDb::OpenMode mode,
                                     bool openErased = false);
Acad::ErrorStatus acdbOpenAcDbEntity(AcDbEntity*& ent, AcDbObjectId id, AcDb::OpenMode mode,
                                     bool openErased = false);

// Opens the object and checks its class: eNotThatKindOfClass (and nothing left open)
// when it is not a T.
template <class T>
inline Acad::ErrorStatus acdbOpenObject(T*& obj, AcDbObjectId id, AcDb::OpenMode mode,
                                        bool openErased = false) {
    obj = nullptr;
    AcDbObject* p = nullptr;
    Acad::ErrorStatus es = acdbOpenAcDbObject(p, id, mode, openErased);
    if (es != Acad::eOk)
        return es;
    T* t = T::cast(p);
    if (t == nullptr) {
        p->close();
        return Acad::eNotThatKindOfClass;
    }
    obj = t;
    return Acad::eOk;
}

// Entity names (ads_name) of the command-line interface and object ids.
Acad::ErrorStatus acdbGetAdsName(ads_name& objName, AcDbObjectId objId);
Acad::ErrorStatus acdbGetObjectId(AcDbObjectId& objId, const ads_name objName);

// Registers an application name for extended data; true when it is registered
// afterwards (new or already there).
bool acdbRegApp(const ACHAR* appName, AcDbDatabase* db = nullptr);

class AcDbDatabase {
public:
    // A new drawing with the standard tables, layer "0", the linetypes, text style
    // and dimension style "Standard", model and paper space; empty when
    // buildDefaultDrawing is false (then readDxfFile fills it).
    explicit AcDbDatabase(bool buildDefaultDrawing = true, bool noDocument = false);
    AcDbDatabase(const AcDbDatabase&) = delete;
    AcDbDatabase& operator=(const AcDbDatabase&) = delete;
    ~AcDbDatabase();

    Acad::ErrorStatus getBlockTable(AcDbBlockTable*& table, AcDb::OpenMode mode);
    Acad::ErrorStatus getLayerTable(AcDbLayerTable*& table, AcDb::OpenMode mode);
    Acad::ErrorStatus getLinetypeTable(AcDbLinetypeTable*& table, AcDb::OpenMode mode);
    Acad::ErrorStatus getTextStyleTable(AcDbTextStyleTable*& table, AcDb::OpenMode mode);
    Acad::ErrorStatus getRegAppTable(AcDbRegAppTable*& table, AcDb::OpenMode mode);
    Acad::ErrorStatus getDimStyleTable(AcDbDimStyleTable*& table, AcDb::OpenMode mode);
    Acad::ErrorStatus getSymbolTable(AcDbBlockTable*& table, AcDb::OpenMode mode) {
        return getBlockTable(table, mode);
    }
    Acad::ErrorStatus getSymbolTable(AcDbLayerTable*& table, AcDb::OpenMode mode) {
        return getLayerTable(table, mode);
    }
    Acad::ErrorStatus getSymbolTable(AcDbTextStyleTable*& table, AcDb::OpenMode mode) {
        return getTextStyleTable(table, mode);
    }
    Acad::ErrorStatus getNamedObjectsDictionary(AcDbDictionary*& dict, AcDb::OpenMode mode);
    Acad::ErrorStatus getGroupDictionary(AcDbDictionary*& dict, AcDb::OpenMode mode);

    AcDbObjectId blockTableId() const;
    AcDbObjectId layerTableId() const;
    AcDbObjectId linetypeTableId() const;
    AcDbObjectId textStyleTableId() const;
    AcDbObjectId regAppTableId() const;
    AcDbObjectId dimStyleTableId() const;
    AcDbObjectId viewportTableId() const;
    AcDbObjectId viewTableId() const;
    AcDbObjectId UCSTableId() const;
    AcDbObjectId namedObjectsDictionaryId() const;
    AcDbObjectId groupDictionaryId() const;

    AcDbObjectId byLayerLinetype() const;
    AcDbObjectId byBlockLinetype() const;
    AcDbObjectId continuousLinetype() const;
    AcDbObjectId layerZero() const;
    AcDbObjectId clayer() const;
    Acad::ErrorStatus setClayer(AcDbObjectId layerId);
    AcDbObjectId textstyle() const;
    AcDbObjectId dimstyle() const;
    AcDbObjectId currentSpaceId() const; // model space in this host

    // The id of the object with this handle. With createIfNotFound a placeholder id is
    // made for a handle not (yet) in use; otherwise eUnknownHandle.
    Acad::ErrorStatus getAcDbObjectId(AcDbObjectId& retId, bool createIfNotFound,
                                      const AcDbHandle& objHandle, Adesk::UInt32 xRefId = 0);
    // Adds an object that no table or block owns (the caller sets its owner).
    Acad::ErrorStatus addAcDbObject(AcDbObjectId& objId, AcDbObject* obj);
    AcDbHandle handseed() const;

    // DXF files. readDxfFile fills an empty database; errors are described in
    // lastError(). dxfOut writes the 2013 format, atomically.
    Acad::ErrorStatus readDxfFile(const ACHAR* fileName);
    Acad::ErrorStatus dxfIn(const ACHAR* fileName) { return readDxfFile(fileName); }
    Acad::ErrorStatus dxfOut(const ACHAR* fileName, int precision = 16, int dwgVer = 0,
                             bool saveThumbnailImage = false);

    // Host internals ------------------------------------------------------------
    kz::DatabaseImpl& impl() { return *m_impl; }
    const kz::DatabaseImpl& impl() const { return *m_impl; }

private:
    std::unique_ptr<kz::DatabaseImpl> m_impl;
};

class AcDbHostApplicationServices {
public:
    AcDbDatabase* workingDatabase() const { return m_working; }
    void setWorkingDatabase(AcDbDatabase* db) { m_working = db; }

private:
    AcDbDatabase* m_working = nullptr;
};

AcDbHostApplicationServices* acdbHostApplicationServices();
inline AcDbDatabase* acdbCurDwg() { return acdbHostApplicationServices()->workingDatabase(); }
