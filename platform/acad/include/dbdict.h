// Dictionaries: named entries that own (or point to) objects. The named-objects
// dictionary roots all non-graphical objects of a drawing (groups, layouts...).
#pragma once

#include "dbmain.h"

#include <string>
#include <vector>

class AcDbDictionaryIterator;

class AcDbDictionary : public AcDbObject {
public:
    ACRX_DECLARE_MEMBERS(AcDbDictionary);
    AcRxObject* clone() const override { return new AcDbDictionary(*this); }

    Acad::ErrorStatus getAt(const ACHAR* entryName, AcDbObjectId& entryId) const;
    Acad::ErrorStatus getAt(const ACHAR* entryName, AcDbObject*& entry, AcDb::OpenMode mode) const;
    // The entry's name, newly allocated (free with acutDelString).
    Acad::ErrorStatus nameAt(AcDbObjectId objId, ACHAR*& entryName) const;
    bool has(const ACHAR* entryName) const;
    bool has(AcDbObjectId objId) const;
    Adesk::UInt32 numEntries() const;
    // Adds or replaces the entry; an object in no database becomes resident, owned by
    // the dictionary, and stays open for write.
    Acad::ErrorStatus setAt(const ACHAR* srchKey, AcDbObject* newValue, AcDbObjectId& retObjId);
    Acad::ErrorStatus remove(const ACHAR* key);
    Acad::ErrorStatus remove(const ACHAR* key, AcDbObjectId& returnId);
    Acad::ErrorStatus remove(AcDbObjectId objId);
    AcDbDictionaryIterator* newIterator() const;

    bool isTreatElementsAsHard() const { return m_hardOwner; }
    void setTreatElementsAsHard(bool doIt);

    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;

    struct Entry {
        std::wstring name;
        AcDbObjectId id;
    };
    const std::vector<Entry>& kzEntries() const { return m_entries; }

private:
    std::vector<Entry> m_entries;
    bool m_hardOwner = false;
    int m_mergeStyle = 1;
};

class AcDbDictionaryIterator {
public:
    const ACHAR* name() const;
    AcDbObjectId objectId() const;
    Acad::ErrorStatus getObject(AcDbObject*& obj, AcDb::OpenMode mode);
    bool done() const { return m_pos >= m_entries.size(); }
    bool next();

private:
    friend class AcDbDictionary;
    explicit AcDbDictionaryIterator(std::vector<AcDbDictionary::Entry> entries);
    void skipDead();
    std::vector<AcDbDictionary::Entry> m_entries;
    std::size_t m_pos = 0;
};
