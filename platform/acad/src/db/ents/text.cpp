#include "dbents.h"

#include "db/database_impl.h"
#include "db/ents/ent_dxf.h"
#include "db/ents/text_extents.h"
#include "db/symbol_lookup.h"
#include "dbextents.h"

ACRX_DXF_DEFINE_MEMBERS(AcDbText, AcDbEntity, "TEXT")

AcDbText::AcDbText(const AcGePoint3d& position, const ACHAR* text, AcDbObjectId style,
                   double height, double rotation)
    : m_position(position), m_alignment(position), m_height(height), m_rotation(rotation),
      m_text(text ? text : L""), m_style(style) {}

AcGePoint3d AcDbText::position() const {
    assertReadEnabled();
    return m_position;
}

Acad::ErrorStatus AcDbText::setPosition(const AcGePoint3d& position) {
    assertWriteEnabled();
    m_position = position;
    return Acad::eOk;
}

AcGePoint3d AcDbText::alignmentPoint() const {
    assertReadEnabled();
    return m_alignment;
}

Acad::ErrorStatus AcDbText::setAlignmentPoint(const AcGePoint3d& point) {
    assertWriteEnabled();
    m_alignment = point;
    return Acad::eOk;
}

bool AcDbText::isDefaultAlignment() const {
    assertReadEnabled();
    return m_horizontal == AcDb::kTextLeft && m_vertical == AcDb::kTextBase;
}

double AcDbText::height() const {
    assertReadEnabled();
    return m_height;
}

Acad::ErrorStatus AcDbText::setHeight(double height) {
    if (!(height > 0))
        return Acad::eInvalidInput;
    assertWriteEnabled();
    m_height = height;
    return Acad::eOk;
}

double AcDbText::rotation() const {
    assertReadEnabled();
    return m_rotation;
}

Acad::ErrorStatus AcDbText::setRotation(double rotation) {
    assertWriteEnabled();
    m_rotation = kz::normalizeAngle(rotation);
    return Acad::eOk;
}

double AcDbText::widthFactor() const {
    assertReadEnabled();
    return m_widthFactor;
}

Acad::ErrorStatus AcDbText::setWidthFactor(double factor) {
    if (!(factor > 0))
        return Acad::eInvalidInput;
    assertWriteEnabled();
    m_widthFactor = factor;
    return Acad::eOk;
}

double AcDbText::oblique() const {
    assertReadEnabled();
    return m_oblique;
}

Acad::ErrorStatus AcDbText::setOblique(double angle) {
    assertWriteEnabled();
    m_oblique = angle;
    return Acad::eOk;
}

ACHAR* AcDbText::textString() const {
    assertReadEnabled();
    return acutNewString(m_text.c_str());
}

const ACHAR* AcDbText::textStringConst() const {
    assertReadEnabled();
    return m_text.c_str();
}

Acad::ErrorStatus AcDbText::setTextString(const ACHAR* text) {
    if (!text)
        return Acad::eInvalidInput;
    assertWriteEnabled();
    m_text = text;
    return Acad::eOk;
}

AcDbObjectId AcDbText::textStyle() const {
    assertReadEnabled();
    return m_style;
}

Acad::ErrorStatus AcDbText::setTextStyle(AcDbObjectId style) {
    assertWriteEnabled();
    m_style = style;
    return Acad::eOk;
}

AcDb::TextHorzMode AcDbText::horizontalMode() const {
    assertReadEnabled();
    return m_horizontal;
}

Acad::ErrorStatus AcDbText::setHorizontalMode(AcDb::TextHorzMode mode) {
    assertWriteEnabled();
    m_horizontal = mode;
    return Acad::eOk;
}

AcDb::TextVertMode AcDbText::verticalMode() const {
    assertReadEnabled();
    return m_vertical;
}

Acad::ErrorStatus AcDbText::setVerticalMode(AcDb::TextVertMode mode) {
    assertWriteEnabled();
    m_vertical = mode;
    return Acad::eOk;
}

bool AcDbText::isMirroredInX() const {
    assertReadEnabled();
    return (m_generation & 2) != 0;
}

Acad::ErrorStatus AcDbText::mirroredInX(bool mirrored) {
    assertWriteEnabled();
    m_generation = mirrored ? (m_generation | 2) : (m_generation & ~2);
    return Acad::eOk;
}

bool AcDbText::isMirroredInY() const {
    assertReadEnabled();
    return (m_generation & 4) != 0;
}

Acad::ErrorStatus AcDbText::mirroredInY(bool mirrored) {
    assertWriteEnabled();
    m_generation = mirrored ? (m_generation | 4) : (m_generation & ~4);
    return Acad::eOk;
}

double AcDbText::thickness() const {
    assertReadEnabled();
    return m_thickness;
}

Acad::ErrorStatus AcDbText::setThickness(double thickness) {
    assertWriteEnabled();
    m_thickness = thickness;
    return Acad::eOk;
}

AcGeVector3d AcDbText::normal() const {
    assertReadEnabled();
    return m_normal;
}

Acad::ErrorStatus AcDbText::setNormal(const AcGeVector3d& normal) {
    if (normal.isZeroLength())
        return Acad::eInvalidInput;
    assertWriteEnabled();
    m_normal = normal.normal();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbText::getGeomExtents(AcDbExtents& extents) const {
    assertReadEnabled();
    double width = m_height * m_widthFactor * static_cast<double>(m_text.size());
    // The box's left end on the baseline, measured along the text from the anchor.
    AcGePoint3d anchor = m_position;
    double left = 0, bottom = 0;
    bool aligned = !isDefaultAlignment();
    if (aligned)
        anchor = m_alignment;
    switch (aligned ? m_horizontal : AcDb::kTextLeft) {
    case AcDb::kTextCenter:
    case AcDb::kTextMid:
        left = -width / 2;
        break;
    case AcDb::kTextRight:
        left = -width;
        break;
    case AcDb::kTextAlign:
    case AcDb::kTextFit:
        // Squeezed between the position and the alignment point.
        anchor = m_position;
        width = m_position.distanceTo(m_alignment);
        break;
    default:
        break;
    }
    if (aligned && m_horizontal == AcDb::kTextMid)
        bottom = -m_height / 2;
    else if (aligned && m_vertical == AcDb::kTextVertMid)
        bottom = -m_height / 2;
    else if (aligned && m_vertical == AcDb::kTextTop)
        bottom = -m_height;
    extents = kz::textBox(anchor, m_normal, m_rotation, left, bottom, width, m_height);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbText::transformBy(const AcGeMatrix3d& xform) {
    AcGeVector3d xAxis = kz::ocsXAxis(m_normal);
    AcGeVector3d along = xAxis;
    along.rotateBy(m_rotation, m_normal);
    AcGeVector3d up = m_normal.crossProduct(along);
    AcGeVector3d newAlong = xform * along, newUp = xform * up;
    if (newAlong.isZeroLength() || newUp.isZeroLength())
        return Acad::eInvalidInput;
    assertWriteEnabled();
    m_position.transformBy(xform);
    m_alignment.transformBy(xform);
    m_normal = newAlong.crossProduct(newUp).normal();
    m_rotation = kz::angleInPlane(newAlong, m_normal);
    // Height follows the up direction, width the ratio of the two scalings.
    m_height *= newUp.length();
    m_widthFactor *= newAlong.length() / newUp.length();
    return Acad::eOk;
}

void AcDbText::readTextField(AcDbDxfFiler* filer, AcGePoint3d& position, AcGePoint3d& alignment) {
    if (kz::readPoint(filer, 10, position) || kz::readPoint(filer, 11, alignment) ||
        kz::readVector(filer, 210, m_normal))
        return;
    switch (filer->code()) {
    case 1:
        m_text = filer->asString();
        break;
    case 7:
        kz::readSymbolField(filer, kz::SymbolTable::TextStyle, m_style);
        break;
    case 39:
        m_thickness = filer->asDouble();
        break;
    case 40:
        m_height = filer->asDouble();
        break;
    case 41:
        m_widthFactor = filer->asDouble();
        break;
    case 50:
        m_rotation = kz::normalizeAngle(kz::toRadians(filer->asDouble()));
        break;
    case 51:
        m_oblique = kz::toRadians(filer->asDouble());
        break;
    case 71:
        m_generation = filer->asInt();
        break;
    case 72:
        kz::readEnum(filer, AcDb::kTextLeft, AcDb::kTextFit, m_horizontal);
        break;
    default:
        filer->keepItem();
    }
}

void AcDbText::finishTextFields(const AcGePoint3d& position, const AcGePoint3d& alignment) {
    m_normal = kz::cleanNormal(m_normal);
    m_position = kz::ocsToWorld(position, m_normal);
    m_alignment = kz::ocsToWorld(alignment, m_normal);
    if (m_style.isNull())
        if (AcDbDatabase* db = kz::databaseFor(this))
            m_style = kz::findSymbol(db, kz::SymbolTable::TextStyle, L"Standard");
}

void AcDbText::writeTextFields(AcDbDxfFiler* filer) const {
    filer->writeSubclass("AcDbText");
    if (m_thickness != 0)
        filer->writeDouble(39, m_thickness);
    filer->writePoint3d(10, kz::worldToOcs(m_position, m_normal));
    filer->writeDouble(40, m_height);
    filer->writeString(1, m_text);
    if (m_rotation != 0)
        filer->writeDouble(50, kz::toDegrees(m_rotation));
    if (m_widthFactor != 1)
        filer->writeDouble(41, m_widthFactor);
    if (m_oblique != 0)
        filer->writeDouble(51, kz::toDegrees(m_oblique));
    std::wstring style = kz::symbolName(m_style);
    filer->writeString(7, style.empty() ? L"Standard" : style);
    if (m_generation != 0)
        filer->writeInt16(71, m_generation);
    if (m_horizontal != AcDb::kTextLeft)
        filer->writeInt16(72, m_horizontal);
    if (!(m_horizontal == AcDb::kTextLeft && m_vertical == AcDb::kTextBase))
        filer->writePoint3d(11, kz::worldToOcs(m_alignment, m_normal));
    kz::writeNormal(filer, m_normal);
}

Acad::ErrorStatus AcDbText::dxfInFields(AcDbDxfFiler* filer) {
    AcDbEntity::dxfInFields(filer);
    AcGePoint3d position, alignment;
    bool hasAlignment = false;
    // A plain text has two AcDbText markers, the second holding the vertical mode (73);
    // 73 means something else in attributes, which have one: a second AcDbText part of
    // an attribute (a damaged file) is kept as read, as its save writes it.
    const int markers = isA() == AcDbText::desc() ? 2 : 1;
    for (int marker = 0; marker < markers; ++marker) {
        if (!filer->atSubclassData("AcDbText"))
            break;
        while (filer->nextItem()) {
            if (filer->code() == 73 && isA() == AcDbText::desc()) {
                kz::readEnum(filer, AcDb::kTextBase, AcDb::kTextTop, m_vertical);
                continue;
            }
            hasAlignment = hasAlignment || filer->code() == 11;
            readTextField(filer, position, alignment);
        }
    }
    if (!hasAlignment)
        alignment = position;
    finishTextFields(position, alignment);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbText::dxfOutFields(AcDbDxfFiler* filer) const {
    AcDbEntity::dxfOutFields(filer);
    writeTextFields(filer);
    if (isA() == AcDbText::desc()) {
        filer->writeSubclass("AcDbText");
        if (m_vertical != AcDb::kTextBase)
            filer->writeInt16(73, m_vertical);
    }
    return Acad::eOk;
}
