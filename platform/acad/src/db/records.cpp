#include "dbsymtb.h"

#include "db/database_impl.h"

#include <utility>

bool AcDbSymbolTableRecord::kzReadNameAndFlags(AcDbDxfFiler* filer) {
    if (filer->code() == 2) {
        kzSetNameRaw(filer->asString());
        return true;
    }
    if (filer->code() == 70) {
        m_flags = filer->asInt();
        return true;
    }
    return false;
}

void AcDbSymbolTableRecord::kzWriteNameAndFlags(AcDbDxfFiler* filer) const {
    filer->writeString(2, m_name);
    filer->writeInt16(70, flagsForDxf());
}

// ---- layers ----

AcDbLayerTableRecord::AcDbLayerTableRecord() {
    m_color.setColorIndex(7);
}

void AcDbLayerTableRecord::setColor(const AcCmColor& color) {
    assertWriteEnabled();
    m_color = color;
}

void AcDbLayerTableRecord::setLinetypeObjectId(AcDbObjectId id) {
    assertWriteEnabled();
    m_linetypeId = id;
}

Acad::ErrorStatus AcDbLayerTableRecord::setLineWeight(AcDb::LineWeight weight) {
    assertWriteEnabled();
    m_lineWeight = weight;
    return Acad::eOk;
}

void AcDbLayerTableRecord::setIsOff(bool off) {
    assertWriteEnabled();
    m_off = off;
}

Acad::ErrorStatus AcDbLayerTableRecord::setIsFrozen(bool frozen) {
    assertWriteEnabled();
    kzSetFlags(frozen ? (kzFlags() | 1) : (kzFlags() & ~1));
    return Acad::eOk;
}

void AcDbLayerTableRecord::setIsLocked(bool locked) {
    assertWriteEnabled();
    kzSetFlags(locked ? (kzFlags() | 4) : (kzFlags() & ~4));
}

Acad::ErrorStatus AcDbLayerTableRecord::setIsPlottable(bool plottable) {
    assertWriteEnabled();
    m_plottable = plottable;
    return Acad::eOk;
}

namespace {

// Looks a symbol up by name in one of the database's tables; null when absent.
template <class Table>
AcDbObjectId lookup(AcDbDatabase* db,
                    Acad::ErrorStatus (AcDbDatabase::*get)(Table*&, AcDb::OpenMode),
                    const std::wstring& name) {
    AcDbObjectId id;
    Table* table = nullptr;
    if (db && (db->*get)(table, AcDb::kForRead) == Acad::eOk) {
        table->getAt(name.c_str(), id);
        table->close();
    }
    return id;
}

std::wstring recordName(AcDbObjectId id) {
    AcDbStub* s = id.stub();
    if (!s || !s->object)
        return {};
    auto* rec = AcDbSymbolTableRecord::cast(s->object.get());
    return rec ? rec->name() : std::wstring();
}

} // namespace

Acad::ErrorStatus AcDbLayerTableRecord::dxfInFields(AcDbDxfFiler* filer) {
    AcDbSymbolTableRecord::dxfInFields(filer);
    if (!filer->atSubclassData("AcDbLayerTableRecord"))
        return Acad::eOk;
    bool sawLinetype = false;
    while (filer->nextItem()) {
        if (kzReadNameAndFlags(filer))
            continue;
        switch (filer->code()) {
        case 62: {
            int c = filer->asInt();
            m_off = c < 0;
            m_color.setColorIndex(static_cast<Adesk::UInt16>(c < 0 ? -c : c));
            break;
        }
        case 420: {
            auto rgb = static_cast<std::uint32_t>(filer->asInt());
            Adesk::UInt16 index = m_color.colorIndex();
            m_color.setRGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
            (void)index;
            break;
        }
        case 6: {
            // The first linetype counts; one given again (a damaged file that ran two
            // objects together) is kept as read. A name the drawing lacks is kept too,
            // and its linetype added when the reading ends.
            if (std::exchange(sawLinetype, true)) {
                filer->keepItem();
                break;
            }
            std::wstring name = filer->asString();
            m_linetypeId = lookup(filer->database(), &AcDbDatabase::getLinetypeTable, name);
            if (m_linetypeId.isNull())
                filer->keepItem();
            break;
        }
        case 370:
            m_lineWeight = static_cast<AcDb::LineWeight>(filer->asInt());
            break;
        case 290:
            m_plottable = filer->asInt() != 0;
            break;
        default:
            filer->keepItem();
        }
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLayerTableRecord::dxfOutFields(AcDbDxfFiler* filer) const {
    AcDbSymbolTableRecord::dxfOutFields(filer);
    filer->writeSubclass("AcDbLayerTableRecord");
    kzWriteNameAndFlags(filer);
    int index = m_color.isByColor() ? 7 : m_color.colorIndex();
    filer->writeInt16(62, m_off ? -index : index);
    if (m_color.isByColor())
        filer->writeInt32(420, static_cast<std::int32_t>(m_color.rgb()));
    std::wstring lt = recordName(m_linetypeId);
    filer->writeString(6, lt.empty() ? L"Continuous" : lt);
    if (!m_plottable)
        filer->writeBool(290, false);
    filer->writeInt16(370, m_lineWeight);
    return Acad::eOk;
}

// ---- linetypes ----

Acad::ErrorStatus AcDbLinetypeTableRecord::setComments(const ACHAR* text) {
    assertWriteEnabled();
    m_comments = text ? text : L"";
    return Acad::eOk;
}

double AcDbLinetypeTableRecord::dashLengthAt(int index) const {
    if (index < 0 || index >= numDashes())
        return 0;
    return m_dashes[static_cast<std::size_t>(index)];
}

void AcDbLinetypeTableRecord::setPattern(std::vector<double> dashes) {
    assertWriteEnabled();
    m_dashes = std::move(dashes);
    m_patternLength = 0;
    for (double d : m_dashes)
        m_patternLength += d < 0 ? -d : d;
}

Acad::ErrorStatus AcDbLinetypeTableRecord::dxfInFields(AcDbDxfFiler* filer) {
    AcDbSymbolTableRecord::dxfInFields(filer);
    if (!filer->atSubclassData("AcDbLinetypeTableRecord"))
        return Acad::eOk;
    // The dashes (49) are read for drawing; they and their shape and text data are
    // also kept so that complex linetypes are written back as they were.
    while (filer->nextItem()) {
        if (kzReadNameAndFlags(filer))
            continue;
        switch (filer->code()) {
        case 3:
            m_comments = filer->asString();
            break;
        case 40:
            m_patternLength = filer->asDouble();
            filer->keepItem();
            break;
        case 49:
            m_dashes.push_back(filer->asDouble());
            filer->keepItem();
            break;
        default:
            filer->keepItem();
        }
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLinetypeTableRecord::dxfOutFields(AcDbDxfFiler* filer) const {
    AcDbSymbolTableRecord::dxfOutFields(filer);
    filer->writeSubclass("AcDbLinetypeTableRecord");
    kzWriteNameAndFlags(filer);
    filer->writeString(3, m_comments);
    // A linetype made here (not read) writes its pattern; one read from a file writes
    // the tags it kept.
    const kz::ObjectExtra* ex = extra();
    bool hasKept = ex && ex->findKept("AcDbLinetypeTableRecord") &&
                   !ex->findKept("AcDbLinetypeTableRecord")->tags.empty();
    if (!hasKept) {
        filer->writeInt16(72, 65);
        filer->writeInt16(73, numDashes());
        filer->writeDouble(40, m_patternLength);
        for (double d : m_dashes) {
            filer->writeDouble(49, d);
            filer->writeInt16(74, 0);
        }
    }
    return Acad::eOk;
}

// ---- text styles ----

Acad::ErrorStatus AcDbTextStyleTableRecord::fileName(const ACHAR*& name) const {
    assertReadEnabled();
    name = m_fileName.c_str();
    return Acad::eOk;
}
Acad::ErrorStatus AcDbTextStyleTableRecord::fileName(ACHAR*& name) const {
    assertReadEnabled();
    name = acutNewString(m_fileName.c_str());
    return Acad::eOk;
}
Acad::ErrorStatus AcDbTextStyleTableRecord::setFileName(const ACHAR* name) {
    assertWriteEnabled();
    m_fileName = name ? name : L"";
    return Acad::eOk;
}
Acad::ErrorStatus AcDbTextStyleTableRecord::bigFontFileName(const ACHAR*& name) const {
    assertReadEnabled();
    name = m_bigFontFileName.c_str();
    return Acad::eOk;
}
Acad::ErrorStatus AcDbTextStyleTableRecord::bigFontFileName(ACHAR*& name) const {
    assertReadEnabled();
    name = acutNewString(m_bigFontFileName.c_str());
    return Acad::eOk;
}
Acad::ErrorStatus AcDbTextStyleTableRecord::setBigFontFileName(const ACHAR* name) {
    assertWriteEnabled();
    m_bigFontFileName = name ? name : L"";
    return Acad::eOk;
}
Acad::ErrorStatus AcDbTextStyleTableRecord::setTextSize(double size) {
    if (size < 0)
        return Acad::eInvalidInput;
    assertWriteEnabled();
    m_textSize = size;
    return Acad::eOk;
}
Acad::ErrorStatus AcDbTextStyleTableRecord::setXScale(double xScale) {
    assertWriteEnabled();
    m_xScale = xScale;
    return Acad::eOk;
}
Acad::ErrorStatus AcDbTextStyleTableRecord::setObliquingAngle(double angle) {
    assertWriteEnabled();
    m_oblique = angle;
    return Acad::eOk;
}
Acad::ErrorStatus AcDbTextStyleTableRecord::setPriorSize(double size) {
    assertWriteEnabled();
    m_priorSize = size;
    return Acad::eOk;
}
void AcDbTextStyleTableRecord::setFlagBits(Adesk::UInt8 flags) {
    assertWriteEnabled();
    m_genFlags = flags;
}

Acad::ErrorStatus AcDbTextStyleTableRecord::dxfInFields(AcDbDxfFiler* filer) {
    AcDbSymbolTableRecord::dxfInFields(filer);
    if (!filer->atSubclassData("AcDbTextStyleTableRecord"))
        return Acad::eOk;
    while (filer->nextItem()) {
        if (kzReadNameAndFlags(filer))
            continue;
        switch (filer->code()) {
        case 40:
            m_textSize = filer->asDouble();
            break;
        case 41:
            m_xScale = filer->asDouble();
            break;
        case 50:
            m_oblique = filer->asDouble() * 3.14159265358979323846 / 180.0;
            break;
        case 71:
            m_genFlags = static_cast<Adesk::UInt8>(filer->asInt());
            break;
        case 42:
            m_priorSize = filer->asDouble();
            break;
        case 3:
            m_fileName = filer->asString();
            break;
        case 4:
            m_bigFontFileName = filer->asString();
            break;
        default:
            filer->keepItem();
        }
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbTextStyleTableRecord::dxfOutFields(AcDbDxfFiler* filer) const {
    AcDbSymbolTableRecord::dxfOutFields(filer);
    filer->writeSubclass("AcDbTextStyleTableRecord");
    kzWriteNameAndFlags(filer);
    filer->writeDouble(40, m_textSize);
    filer->writeDouble(41, m_xScale);
    filer->writeDouble(50, m_oblique * 180.0 / 3.14159265358979323846);
    filer->writeInt16(71, m_genFlags);
    filer->writeDouble(42, m_priorSize);
    filer->writeString(3, m_fileName);
    filer->writeString(4, m_bigFontFileName);
    return Acad::eOk;
}

// ---- application names, views, viewports, coordinate systems, dimension styles ----
// These keep everything but their name and flags as read.

namespace {

Acad::ErrorStatus readPlainRecord(AcDbSymbolTableRecord* rec, AcDbDxfFiler* filer,
                                  const char* subclass) {
    rec->AcDbSymbolTableRecord::dxfInFields(filer);
    if (!filer->atSubclassData(subclass))
        return Acad::eOk;
    while (filer->nextItem())
        if (!rec->kzReadNameAndFlags(filer))
            filer->keepItem();
    return Acad::eOk;
}

Acad::ErrorStatus writePlainRecord(const AcDbSymbolTableRecord* rec, AcDbDxfFiler* filer,
                                   const char* subclass) {
    rec->AcDbSymbolTableRecord::dxfOutFields(filer);
    filer->writeSubclass(subclass);
    rec->kzWriteNameAndFlags(filer);
    return Acad::eOk;
}

} // namespace

#define KZ_PLAIN_RECORD(CLASS)                                                                     \
    Acad::ErrorStatus CLASS::dxfInFields(AcDbDxfFiler* filer) {                                    \
        return readPlainRecord(this, filer, #CLASS);                                               \
    }                                                                                              \
    Acad::ErrorStatus CLASS::dxfOutFields(AcDbDxfFiler* filer) const {                             \
        return writePlainRecord(this, filer, #CLASS);                                              \
    }

KZ_PLAIN_RECORD(AcDbDimStyleTableRecord)
KZ_PLAIN_RECORD(AcDbRegAppTableRecord)
KZ_PLAIN_RECORD(AcDbViewportTableRecord)
KZ_PLAIN_RECORD(AcDbViewTableRecord)
KZ_PLAIN_RECORD(AcDbUCSTableRecord)
