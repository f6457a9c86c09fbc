// Objects and entities of kinds the database does not model. They keep every tag as
// read and write it back unchanged; an unknown entity still knows its layer, colour
// and linetype.
#pragma once

#include "dbmain.h"

#include <string>

namespace kz {

class UnknownObject : public AcDbObject {
public:
    ACRX_DECLARE_MEMBERS(UnknownObject);
    UnknownObject() = default;
    explicit UnknownObject(std::string dxfType) : m_dxfType(std::move(dxfType)) {}
    AcRxObject* clone() const override { return new UnknownObject(*this); }
    const std::string& dxfType() const { return m_dxfType; }
    void setDxfType(std::string type) { m_dxfType = std::move(type); }

private:
    std::string m_dxfType;
};

class UnknownEntity : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(UnknownEntity);
    UnknownEntity() = default;
    explicit UnknownEntity(std::string dxfType) : m_dxfType(std::move(dxfType)) {}
    AcRxObject* clone() const override { return new UnknownEntity(*this); }
    const std::string& dxfType() const { return m_dxfType; }
    void setDxfType(std::string type) { m_dxfType = std::move(type); }

    // An unknown entity keeps the sub-entities that follow it in the file (a mesh's
    // vertices, say).
    std::vector<AcDbObjectId>* kzSubentities() override { return &m_subentities; }
    AcDbObjectId* kzSequenceEnd() override { return &m_sequenceEnd; }

private:
    std::string m_dxfType;
    std::vector<AcDbObjectId> m_subentities;
    AcDbObjectId m_sequenceEnd;
};

// The DXF type name an object is written under ("LINE", or an unknown object's own).
std::string dxfTypeOf(const AcDbObject* obj);

} // namespace kz
