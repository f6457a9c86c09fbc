#include "dbmain.h"

#include "db/database_impl.h"
#include "dbsymtb.h"
#include "db/symbol_lookup.h"

#include <bitset>

ACRX_NO_CONS_DEFINE_MEMBERS(AcDbEntity, AcDbObject)
ACRX_DXF_DEFINE_MEMBERS(AcDbSequenceEnd, AcDbEntity, "SEQEND")

namespace kz {

AcDbDatabase* databaseFor(const AcDbObject* obj) {
    AcDbDatabase* db = obj ? obj->database() : nullptr;
    return db ? db : acdbHostApplicationServices()->workingDatabase();
}

} // namespace kz

Acad::ErrorStatus AcDbEntity::setColor(const AcCmColor& color, bool) {
    assertWriteEnabled();
    m_color = color;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEntity::setColorIndex(Adesk::UInt16 color, bool) {
    AcCmColor c;
    if (c.setColorIndex(color) != Acad::eOk)
        return Acad::eInvalidInput;
    assertWriteEnabled();
    m_color = c;
    return Acad::eOk;
}

ACHAR* AcDbEntity::layer() const {
    assertReadEnabled();
    return acutNewString(kz::symbolName(m_layerId).c_str());
}

Acad::ErrorStatus AcDbEntity::setLayer(const ACHAR* newVal, bool doSubents, bool allowHidden) {
    AcDbObjectId id = kz::findSymbol(kz::databaseFor(this), kz::SymbolTable::Layer, newVal);
    if (id.isNull())
        return Acad::eKeyNotFound;
    return setLayer(id, doSubents, allowHidden);
}

Acad::ErrorStatus AcDbEntity::setLayer(AcDbObjectId newVal, bool, bool) {
    if (newVal.isNull())
        return Acad::eNullObjectId;
    assertWriteEnabled();
    m_layerId = newVal;
    return Acad::eOk;
}

ACHAR* AcDbEntity::linetype() const {
    assertReadEnabled();
    return acutNewString(kz::symbolName(m_linetypeId).c_str());
}

Acad::ErrorStatus AcDbEntity::setLinetype(const ACHAR* newVal, bool doSubents) {
    AcDbObjectId id = kz::findSymbol(kz::databaseFor(this), kz::SymbolTable::Linetype, newVal);
    if (id.isNull())
        return Acad::eKeyNotFound;
    return setLinetype(id, doSubents);
}

Acad::ErrorStatus AcDbEntity::setLinetype(AcDbObjectId newVal, bool) {
    if (newVal.isNull())
        return Acad::eNullObjectId;
    assertWriteEnabled();
    m_linetypeId = newVal;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEntity::setLinetypeScale(double scale, bool) {
    if (!(scale > 0))
        return Acad::eInvalidInput;
    assertWriteEnabled();
    m_linetypeScale = scale;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEntity::setLineWeight(AcDb::LineWeight weight, bool) {
    assertWriteEnabled();
    m_lineWeight = weight;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEntity::setVisibility(AcDb::Visibility visibility, bool) {
    assertWriteEnabled();
    m_visibility = visibility;
    return Acad::eOk;
}

void AcDbEntity::setDatabaseDefaults(AcDbDatabase* db) {
    if (!db)
        db = kz::databaseFor(this);
    if (!db)
        return;
    assertWriteEnabled();
    m_layerId = db->clayer();
    m_linetypeId = db->byLayerLinetype();
    m_color.setColorIndex(256);
    m_lineWeight = AcDb::kLnWtByLayer;
    m_linetypeScale = 1.0;
}

Acad::ErrorStatus AcDbEntity::getGeomExtents(AcDbExtents&) const {
    return Acad::eInvalidExtents;
}

Acad::ErrorStatus AcDbEntity::intersectWith(const AcDbEntity*, AcDb::Intersect, AcGePoint3dArray&,
                                            Adesk::GsMarker, Adesk::GsMarker) const {
    return Acad::eNotImplementedYet;
}

Acad::ErrorStatus AcDbEntity::transformBy(const AcGeMatrix3d&) {
    return Acad::eNotApplicable;
}

Acad::ErrorStatus AcDbEntity::dxfInFields(AcDbDxfFiler* filer) {
    AcDbObject::dxfInFields(filer);
    if (!filer->atSubclassData("AcDbEntity"))
        return Acad::eOk;
    AcDbDatabase* db = filer->database();
    // A field given twice (a damaged file's second AcDbEntity part, say) is taken the
    // first time and kept as read after that, so that a save writes both again.
    std::bitset<1072> seen; // group codes run from 0 to 1071
    while (filer->nextItem()) {
        const int code = filer->code();
        if (code >= 0 && code < 1072) {
            if (seen.test(static_cast<std::size_t>(code))) {
                filer->keepItem();
                continue;
            }
            seen.set(static_cast<std::size_t>(code));
        }
        // A name no record can have is kept as read: the entity stays on layer 0 and
        // ByLayer, and the name is saved.
        switch (filer->code()) {
        case 8:
            kz::readSymbolField(filer, kz::SymbolTable::Layer, m_layerId);
            break;
        case 6:
            kz::readSymbolField(filer, kz::SymbolTable::Linetype, m_linetypeId);
            break;
        case 62: {
            int c = filer->asInt();
            if (c >= 0 && c <= 256)
                m_color.setColorIndex(static_cast<Adesk::UInt16>(c));
            else
                filer->keepItem();
            break;
        }
        case 420: {
            auto rgb = static_cast<std::uint32_t>(filer->asInt());
            m_color.setRGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
            break;
        }
        case 370:
            m_lineWeight = static_cast<AcDb::LineWeight>(filer->asInt());
            break;
        case 48:
            m_linetypeScale = filer->asDouble();
            break;
        case 60:
            m_visibility = filer->asInt() ? AcDb::kInvisible : AcDb::kVisible;
            break;
        case 67:
            m_paperSpace = filer->asInt() != 0;
            break;
        default:
            filer->keepItem();
        }
    }
    if (m_layerId.isNull() && db)
        m_layerId = db->layerZero();
    if (m_linetypeId.isNull() && db)
        m_linetypeId = db->byLayerLinetype();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEntity::dxfOutFields(AcDbDxfFiler* filer) const {
    AcDbObject::dxfOutFields(filer);
    filer->writeSubclass("AcDbEntity");
    if (m_paperSpace)
        filer->writeInt16(67, 1);
    std::wstring layer = kz::symbolName(m_layerId);
    filer->writeString(8, layer.empty() ? L"0" : layer);
    std::wstring lt = kz::symbolName(m_linetypeId);
    if (!lt.empty() && kz::compareSymbolNames(lt, L"ByLayer") != 0)
        filer->writeString(6, lt);
    if (m_color.isByColor()) {
        filer->writeInt16(62, m_color.colorIndex() == 0 ? 7 : m_color.colorIndex());
        filer->writeInt32(420, static_cast<std::int32_t>(m_color.rgb()));
    } else if (!m_color.isByLayer()) {
        filer->writeInt16(62, m_color.colorIndex());
    }
    if (m_lineWeight != AcDb::kLnWtByLayer)
        filer->writeInt16(370, m_lineWeight);
    if (m_linetypeScale != 1.0)
        filer->writeDouble(48, m_linetypeScale);
    if (m_visibility == AcDb::kInvisible)
        filer->writeInt16(60, 1);
    return Acad::eOk;
}
