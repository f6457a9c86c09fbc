// Symbol tables (blocks, layers, linetypes, text styles, applications, dimension
// styles, viewports, views, coordinate systems) and their records. Names compare
// without regard to letter case, as the host compares them.
#pragma once

#include "dbmain.h"

#include <cstdint>
#include <cwchar>
#include <cwctype>
#include <memory>
#include <string>
#include <vector>

class AcDbSymbolTableIterator;
class AcDbBlockTableRecordIterator;

namespace kz {
// 0 when the two names are the same symbol name (case ignored), like wcscmp otherwise.
int compareSymbolNames(std::wstring_view a, std::wstring_view b);
// The character as compareSymbolNames compares it (upper case). ASCII, nearly every
// character of every name, folds without the locale's tables.
inline wint_t foldSymbolChar(wchar_t c) {
    if (static_cast<std::uint32_t>(c) < 0x80)
        return c >= L'a' && c <= L'z' ? static_cast<wint_t>(c - (L'a' - L'A'))
                                      : static_cast<wint_t>(c);
    return std::towupper(static_cast<wint_t>(c));
}
class SymbolNameIndex;
} // namespace kz

class AcDbSymbolTableRecord : public AcDbObject {
public:
    ACRX_DECLARE_MEMBERS(AcDbSymbolTableRecord);

    // Pointer into the record, valid while it is open.
    Acad::ErrorStatus getName(const ACHAR*& name) const;
    // A new copy: free it with acutDelString.
    Acad::ErrorStatus getName(ACHAR*& name) const;
    const std::wstring& name() const { return m_name; }
    // Refuses empty names and the characters < > / \ " : ; ? * | , = `.
    virtual Acad::ErrorStatus setName(const ACHAR* name);

    bool isDependent() const { return (m_flags & 16) != 0; }
    bool isResolved() const { return (m_flags & 32) != 0; }
    int kzFlags() const { return m_flags; }
    void kzSetFlags(int flags) { m_flags = flags; }
    void kzSetNameRaw(std::wstring name);
    // Reads the name (2) and flags (70) that every record's own subclass holds; false
    // for any other tag.
    bool kzReadNameAndFlags(AcDbDxfFiler* filer);
    void kzWriteNameAndFlags(AcDbDxfFiler* filer) const;

    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;

protected:
    // The group-70 flags that the record's own class keeps in other fields.
    virtual int flagsForDxf() const { return m_flags; }

private:
    std::wstring m_name;
    int m_flags = 0;
};

class AcDbSymbolTable : public AcDbObject {
public:
    ACRX_DECLARE_MEMBERS(AcDbSymbolTable);
    AcDbSymbolTable();
    ~AcDbSymbolTable() override;

    bool has(const ACHAR* name) const;
    bool has(AcDbObjectId id) const;
    Acad::ErrorStatus getAt(const ACHAR* name, AcDbObjectId& recordId,
                            bool getErased = false) const;
    Acad::ErrorStatus getAt(const ACHAR* name, AcDbSymbolTableRecord*& record, AcDb::OpenMode mode,
                            bool openErased = false) const;
    // The table must be open for write and the record in no database; the record
    // becomes resident and stays open for write.
    Acad::ErrorStatus add(AcDbSymbolTableRecord* record);
    Acad::ErrorStatus add(AcDbObjectId& recordId, AcDbSymbolTableRecord* record);
    Acad::ErrorStatus newIterator(AcDbSymbolTableIterator*& iterator, bool atBeginning = true,
                                  bool skipDeleted = true) const;

    // Host internals: the record ids in table order, erased ones included.
    const std::vector<AcDbObjectId>& kzRecords() const { return m_records; }
    void kzAppendRecord(AcDbObjectId id);
    virtual const char* kzRecordDxfName() const = 0;
    virtual const char* kzTableName() const = 0;
    virtual const char* kzTableSubclass() const { return nullptr; }

    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;

protected:
    // The record class this table holds.
    virtual AcRxClass* recordClass() const = 0;
    // Names a new record must be given (anonymous blocks "*U"/"*D" get a number).
    virtual std::wstring nameForNewRecord(const std::wstring& name) const { return name; }

    // The index of the records' names, kept up to date on use.
    kz::SymbolNameIndex& nameIndex() const;

private:
    std::vector<AcDbObjectId> m_records;
    mutable std::unique_ptr<kz::SymbolNameIndex> m_index; // made on first lookup
};

class AcDbSymbolTableIterator {
public:
    virtual ~AcDbSymbolTableIterator() = default;
    void start(bool atBeginning = true, bool skipDeleted = true);
    bool done() const;
    void step(bool forward = true, bool skipDeleted = true);
    Acad::ErrorStatus getRecordId(AcDbObjectId& id) const;
    Acad::ErrorStatus getRecord(AcDbSymbolTableRecord*& record, AcDb::OpenMode mode,
                                bool openErasedRecord = false) const;
    Acad::ErrorStatus seek(AcDbObjectId id);

protected:
    friend class AcDbSymbolTable;
    AcDbSymbolTableIterator(const std::vector<AcDbObjectId>& ids, bool atBeginning,
                            bool skipDeleted);
    void skip(bool forward, bool skipDeleted);
    std::vector<AcDbObjectId> m_ids; // a snapshot: records added while iterating are not visited
    long m_pos = 0;
};

// Typed tables, records and iterators. Each table's getAt and iterator give records
// of its own record class.
#define KZ_SYMBOL_TABLE(TABLE, RECORD, ITER, RECORD_DXF, TABLE_NAME)                               \
    class ITER : public AcDbSymbolTableIterator {                                                  \
    public:                                                                                        \
        using AcDbSymbolTableIterator::getRecord;                                                  \
        Acad::ErrorStatus getRecord(RECORD*& record, AcDb::OpenMode mode,                          \
                                    bool openErasedRecord = false) const;                          \
                                                                                                   \
    private:                                                                                       \
        friend class TABLE;                                                                        \
        using AcDbSymbolTableIterator::AcDbSymbolTableIterator;                                    \
    };                                                                                             \
    class TABLE : public AcDbSymbolTable {                                                         \
    public:                                                                                        \
        ACRX_DECLARE_MEMBERS(TABLE);                                                               \
        using AcDbSymbolTable::getAt;                                                              \
        using AcDbSymbolTable::newIterator;                                                        \
        Acad::ErrorStatus getAt(const ACHAR* name, RECORD*& record, AcDb::OpenMode mode,           \
                                bool openErased = false) const;                                    \
        Acad::ErrorStatus newIterator(ITER*& iterator, bool atBeginning = true,                    \
                                      bool skipDeleted = true) const;                              \
        const char* kzRecordDxfName() const override { return RECORD_DXF; }                        \
        const char* kzTableName() const override { return TABLE_NAME; }                            \
                                                                                                   \
    protected:                                                                                     \
        AcRxClass* recordClass() const override;                                                   \
        KZ_SYMBOL_TABLE_EXTRA_##TABLE                                                              \
    };

class AcDbLayerTableRecord : public AcDbSymbolTableRecord {
public:
    ACRX_DECLARE_MEMBERS(AcDbLayerTableRecord);
    AcRxObject* clone() const override { return new AcDbLayerTableRecord(*this); }

    AcCmColor color() const { return m_color; }
    void setColor(const AcCmColor& color);
    AcDbObjectId linetypeObjectId() const { return m_linetypeId; }
    void setLinetypeObjectId(AcDbObjectId id);
    AcDb::LineWeight lineWeight() const { return m_lineWeight; }
    Acad::ErrorStatus setLineWeight(AcDb::LineWeight weight);
    bool isOff() const { return m_off; }
    void setIsOff(bool off);
    bool isFrozen() const { return (kzFlags() & 1) != 0; }
    Acad::ErrorStatus setIsFrozen(bool frozen);
    bool isLocked() const { return (kzFlags() & 4) != 0; }
    void setIsLocked(bool locked);
    bool isPlottable() const { return m_plottable; }
    Acad::ErrorStatus setIsPlottable(bool plottable);

    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;

private:
    AcCmColor m_color; // index 7 for a new layer
    AcDbObjectId m_linetypeId;
    AcDb::LineWeight m_lineWeight = AcDb::kLnWtByLwDefault;
    bool m_off = false;
    bool m_plottable = true;

public:
    AcDbLayerTableRecord();
};

class AcDbLinetypeTableRecord : public AcDbSymbolTableRecord {
public:
    ACRX_DECLARE_MEMBERS(AcDbLinetypeTableRecord);
    AcRxObject* clone() const override { return new AcDbLinetypeTableRecord(*this); }

    const std::wstring& comments() const { return m_comments; }
    Acad::ErrorStatus setComments(const ACHAR* text);
    // Total pattern length and dash lengths (positive dash, negative gap, 0 dot).
    double patternLength() const { return m_patternLength; }
    int numDashes() const { return static_cast<int>(m_dashes.size()); }
    double dashLengthAt(int index) const;
    void setPattern(std::vector<double> dashes);

    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;

private:
    std::wstring m_comments;
    double m_patternLength = 0;
    std::vector<double> m_dashes;
};

class AcDbTextStyleTableRecord : public AcDbSymbolTableRecord {
public:
    ACRX_DECLARE_MEMBERS(AcDbTextStyleTableRecord);
    AcRxObject* clone() const override { return new AcDbTextStyleTableRecord(*this); }

    Acad::ErrorStatus fileName(const ACHAR*& name) const;
    Acad::ErrorStatus fileName(ACHAR*& name) const;
    Acad::ErrorStatus setFileName(const ACHAR* name);
    Acad::ErrorStatus bigFontFileName(const ACHAR*& name) const;
    Acad::ErrorStatus bigFontFileName(ACHAR*& name) const;
    Acad::ErrorStatus setBigFontFileName(const ACHAR* name);
    double textSize() const { return m_textSize; }
    Acad::ErrorStatus setTextSize(double size);
    double xScale() const { return m_xScale; }
    Acad::ErrorStatus setXScale(double xScale);
    double obliquingAngle() const { return m_oblique; }
    Acad::ErrorStatus setObliquingAngle(double angle);
    double priorSize() const { return m_priorSize; }
    Acad::ErrorStatus setPriorSize(double size);
    Adesk::UInt8 flagBits() const { return m_genFlags; }
    void setFlagBits(Adesk::UInt8 flags);
    bool isShapeFile() const { return (kzFlags() & 1) != 0; }
    bool isVertical() const { return (kzFlags() & 4) != 0; }

    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;

private:
    std::wstring m_fileName = L"txt";
    std::wstring m_bigFontFileName;
    double m_textSize = 0;
    double m_xScale = 1.0;
    double m_oblique = 0;
    double m_priorSize = 2.5;
    Adesk::UInt8 m_genFlags = 0;
};

class AcDbRegAppTableRecord : public AcDbSymbolTableRecord {
public:
    ACRX_DECLARE_MEMBERS(AcDbRegAppTableRecord);
    AcRxObject* clone() const override { return new AcDbRegAppTableRecord(*this); }
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;
};

// Dimension styles keep their variables as DXF group values; the dimension code
// reads them by group code.
class AcDbDimStyleTableRecord : public AcDbSymbolTableRecord {
public:
    ACRX_DECLARE_MEMBERS(AcDbDimStyleTableRecord);
    AcRxObject* clone() const override { return new AcDbDimStyleTableRecord(*this); }

    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;
};

class AcDbViewportTableRecord : public AcDbSymbolTableRecord {
public:
    ACRX_DECLARE_MEMBERS(AcDbViewportTableRecord);
    AcRxObject* clone() const override { return new AcDbViewportTableRecord(*this); }
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;
};

class AcDbViewTableRecord : public AcDbSymbolTableRecord {
public:
    ACRX_DECLARE_MEMBERS(AcDbViewTableRecord);
    AcRxObject* clone() const override { return new AcDbViewTableRecord(*this); }
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;
};

class AcDbUCSTableRecord : public AcDbSymbolTableRecord {
public:
    ACRX_DECLARE_MEMBERS(AcDbUCSTableRecord);
    AcRxObject* clone() const override { return new AcDbUCSTableRecord(*this); }
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;
};

// The BLOCK and ENDBLK entities that frame a block's contents in DXF files. The
// block's name, flags, base point, path and description belong to its record: BLOCK
// hands what it read to the record and writes the record's values.
class AcDbBlockBegin : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(AcDbBlockBegin);
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;

    // What the file's BLOCK entity said, for the reader to give to the record.
    std::wstring kzName, kzPath, kzDescription;
    int kzFlags = 0;
    AcGePoint3d kzOrigin;
};
class AcDbBlockEnd : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(AcDbBlockEnd);
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;
};

class AcDbBlockTableRecord : public AcDbSymbolTableRecord {
public:
    ACRX_DECLARE_MEMBERS(AcDbBlockTableRecord);
    AcDbBlockTableRecord();
    ~AcDbBlockTableRecord() override;

    // The record must be open for write and the entity in no database; the entity
    // becomes resident, owned by this block, and stays open for write.
    Acad::ErrorStatus appendAcDbEntity(AcDbEntity* entity);
    Acad::ErrorStatus appendAcDbEntity(AcDbObjectId& entityId, AcDbEntity* entity);
    Acad::ErrorStatus newIterator(AcDbBlockTableRecordIterator*& iterator, bool atBeginning = true,
                                  bool skipDeleted = true) const;

    AcGePoint3d origin() const { return m_origin; }
    Acad::ErrorStatus setOrigin(const AcGePoint3d& origin);
    Acad::ErrorStatus comments(const ACHAR*& text) const;
    Acad::ErrorStatus setComments(const ACHAR* text);
    Acad::ErrorStatus pathName(const ACHAR*& path) const;
    Acad::ErrorStatus setPathName(const ACHAR* path);
    bool isAnonymous() const { return (kzFlags() & 1) != 0; }
    bool hasAttributeDefinitions() const { return (kzFlags() & 2) != 0; }
    bool isFromExternalReference() const { return (kzFlags() & 4) != 0; }
    bool isLayout() const;
    AcDbObjectId getLayoutId() const { return m_layoutId; }

    // Host internals.
    const std::vector<AcDbObjectId>& kzEntities() const { return m_entities; }
    void kzAppendEntityId(AcDbObjectId id) { m_entities.push_back(id); }
    // Drops erased entities from the block's list (they stay in the database): for
    // blocks the host rebuilds, whose list would otherwise grow with every rebuild.
    void kzForgetErasedEntities();
    AcDbObjectId kzBlockBegin() const { return m_blockBegin; }
    AcDbObjectId kzBlockEnd() const { return m_blockEnd; }
    void kzSetBlockBeginEnd(AcDbObjectId begin, AcDbObjectId end);
    void kzSetLayoutId(AcDbObjectId id) { m_layoutId = id; }

    Acad::ErrorStatus setName(const ACHAR* name) override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;

private:
    std::vector<AcDbObjectId> m_entities;
    AcGePoint3d m_origin;
    std::wstring m_comments;
    std::wstring m_pathName;
    AcDbObjectId m_layoutId;
    AcDbObjectId m_blockBegin;
    AcDbObjectId m_blockEnd;
    int m_insertUnits = 0;
    int m_explodable = 1;
    int m_scalable = 0;
};

class AcDbBlockTableRecordIterator {
public:
    void start(bool atBeginning = true, bool skipDeleted = true);
    bool done() const;
    void step(bool forward = true, bool skipDeleted = true);
    Acad::ErrorStatus getEntityId(AcDbObjectId& id) const;
    Acad::ErrorStatus getEntity(AcDbEntity*& entity, AcDb::OpenMode mode,
                                bool openErasedEntity = false) const;
    Acad::ErrorStatus seek(AcDbObjectId id);

private:
    friend class AcDbBlockTableRecord;
    AcDbBlockTableRecordIterator(const std::vector<AcDbObjectId>& ids, bool atBeginning,
                                 bool skipDeleted);
    void skip(bool forward, bool skipDeleted);
    std::vector<AcDbObjectId> m_ids;
    long m_pos = 0;
};

#define KZ_SYMBOL_TABLE_EXTRA_AcDbBlockTable                                                       \
    std::wstring nameForNewRecord(const std::wstring& name) const override;                        \
    const char* kzTableSubclass() const override {                                                 \
        return nullptr;                                                                            \
    }
#define KZ_SYMBOL_TABLE_EXTRA_AcDbLayerTable
#define KZ_SYMBOL_TABLE_EXTRA_AcDbLinetypeTable
#define KZ_SYMBOL_TABLE_EXTRA_AcDbTextStyleTable
#define KZ_SYMBOL_TABLE_EXTRA_AcDbRegAppTable
#define KZ_SYMBOL_TABLE_EXTRA_AcDbDimStyleTable                                                    \
    const char* kzTableSubclass() const override {                                                 \
        return "AcDbDimStyleTable";                                                                \
    }
#define KZ_SYMBOL_TABLE_EXTRA_AcDbViewportTable
#define KZ_SYMBOL_TABLE_EXTRA_AcDbViewTable
#define KZ_SYMBOL_TABLE_EXTRA_AcDbUCSTable

KZ_SYMBOL_TABLE(AcDbBlockTable, AcDbBlockTableRecord, AcDbBlockTableIterator, "BLOCK_RECORD",
                "BLOCK_RECORD")
KZ_SYMBOL_TABLE(AcDbLayerTable, AcDbLayerTableRecord, AcDbLayerTableIterator, "LAYER", "LAYER")
KZ_SYMBOL_TABLE(AcDbLinetypeTable, AcDbLinetypeTableRecord, AcDbLinetypeTableIterator, "LTYPE",
                "LTYPE")
KZ_SYMBOL_TABLE(AcDbTextStyleTable, AcDbTextStyleTableRecord, AcDbTextStyleTableIterator, "STYLE",
                "STYLE")
KZ_SYMBOL_TABLE(AcDbRegAppTable, AcDbRegAppTableRecord, AcDbRegAppTableIterator, "APPID", "APPID")
KZ_SYMBOL_TABLE(AcDbDimStyleTable, AcDbDimStyleTableRecord, AcDbDimStyleTableIterator, "DIMSTYLE",
                "DIMSTYLE")
KZ_SYMBOL_TABLE(AcDbViewportTable, AcDbViewportTableRecord, AcDbViewportTableIterator, "VPORT",
                "VPORT")
KZ_SYMBOL_TABLE(AcDbViewTable, AcDbViewTableRecord, AcDbViewTableIterator, "VIEW", "VIEW")
KZ_SYMBOL_TABLE(AcDbUCSTable, AcDbUCSTableRecord, AcDbUCSTableIterator, "UCS", "UCS")

#define ACDB_MODEL_SPACE L"*Model_Space"
#define ACDB_PAPER_SPACE L"*Paper_Space"
