#include "dbmtext.h"

#include "db/database_impl.h"
#include "db/ents/ent_dxf.h"
#include "db/ents/mtext_plain.h"
#include "db/ents/text_extents.h"
#include "db/symbol_lookup.h"
#include "dbextents.h"
#include "dbsymtb.h"

#include <algorithm>
#include <cmath>

ACRX_DXF_DEFINE_MEMBERS(AcDbMText, AcDbEntity, "MTEXT")

namespace {

// DXF strings hold at most this many characters: longer contents go in chunks of
// group 3, the rest in group 1.
constexpr std::size_t kChunk = 250;

} // namespace

AcGePoint3d AcDbMText::location() const {
    assertReadEnabled();
    return m_location;
}

Acad::ErrorStatus AcDbMText::setLocation(const AcGePoint3d& location) {
    assertWriteEnabled();
    m_location = location;
    return Acad::eOk;
}

ACHAR* AcDbMText::contents() const {
    assertReadEnabled();
    return acutNewString(m_contents.c_str());
}

int AcDbMText::setContents(const ACHAR* text) {
    assertWriteEnabled();
    m_contents = text ? text : L"";
    return static_cast<int>(m_contents.size());
}

ACHAR* AcDbMText::text() const {
    assertReadEnabled();
    return acutNewString(kz::mtextPlainText(m_contents).c_str());
}

double AcDbMText::textHeight() const {
    assertReadEnabled();
    return m_height;
}

Acad::ErrorStatus AcDbMText::setTextHeight(double height) {
    if (!(height > 0))
        return Acad::eInvalidInput;
    assertWriteEnabled();
    m_height = height;
    return Acad::eOk;
}

double AcDbMText::width() const {
    assertReadEnabled();
    return m_width;
}

Acad::ErrorStatus AcDbMText::setWidth(double width) {
    if (width < 0)
        return Acad::eInvalidInput;
    assertWriteEnabled();
    m_width = width;
    return Acad::eOk;
}

double AcDbMText::rotation() const {
    assertReadEnabled();
    return kz::angleInPlane(m_direction, m_normal);
}

Acad::ErrorStatus AcDbMText::setRotation(double rotation) {
    assertWriteEnabled();
    AcGeVector3d direction = kz::ocsXAxis(m_normal);
    direction.rotateBy(rotation, m_normal);
    m_direction = direction;
    return Acad::eOk;
}

AcGeVector3d AcDbMText::direction() const {
    assertReadEnabled();
    return m_direction;
}

Acad::ErrorStatus AcDbMText::setDirection(const AcGeVector3d& direction) {
    // The direction must lie in the text's plane.
    AcGeVector3d inPlane = direction - m_normal * direction.dotProduct(m_normal);
    if (inPlane.isZeroLength())
        return Acad::eInvalidInput;
    assertWriteEnabled();
    m_direction = inPlane.normal();
    return Acad::eOk;
}

AcGeVector3d AcDbMText::normal() const {
    assertReadEnabled();
    return m_normal;
}

Acad::ErrorStatus AcDbMText::setNormal(const AcGeVector3d& normal) {
    if (normal.isZeroLength())
        return Acad::eInvalidInput;
    assertWriteEnabled();
    // The text keeps its rotation in the new plane.
    double angle = kz::angleInPlane(m_direction, m_normal);
    m_normal = normal.normal();
    m_direction = kz::ocsXAxis(m_normal);
    m_direction.rotateBy(angle, m_normal);
    return Acad::eOk;
}

AcDbMText::AttachmentPoint AcDbMText::attachment() const {
    assertReadEnabled();
    return m_attachment;
}

Acad::ErrorStatus AcDbMText::setAttachment(AttachmentPoint attachment) {
    if (attachment < kTopLeft || attachment > kBottomRight)
        return Acad::eInvalidInput;
    assertWriteEnabled();
    m_attachment = attachment;
    return Acad::eOk;
}

AcDbMText::FlowDirection AcDbMText::flowDirection() const {
    assertReadEnabled();
    return m_flow;
}

Acad::ErrorStatus AcDbMText::setFlowDirection(FlowDirection direction) {
    if (direction < kLtoR || direction > kByStyle)
        return Acad::eInvalidInput;
    assertWriteEnabled();
    m_flow = direction;
    return Acad::eOk;
}

AcDbObjectId AcDbMText::textStyle() const {
    assertReadEnabled();
    return m_style;
}

Acad::ErrorStatus AcDbMText::setTextStyle(AcDbObjectId style) {
    assertWriteEnabled();
    m_style = style;
    return Acad::eOk;
}

double AcDbMText::lineSpacingFactor() const {
    assertReadEnabled();
    return m_lineSpacing;
}

Acad::ErrorStatus AcDbMText::setLineSpacingFactor(double factor) {
    if (!(factor >= 0.25 && factor <= 4.0))
        return Acad::eInvalidInput;
    assertWriteEnabled();
    m_lineSpacing = factor;
    return Acad::eOk;
}

void AcDbMText::layoutSize(double& width, double& height) const {
    double charWidth = m_height;
    AcDbStub* s = m_style.stub();
    if (auto* style = s && s->object ? AcDbTextStyleTableRecord::cast(s->object.get()) : nullptr)
        charWidth *= style->xScale() > 0 ? style->xScale() : 1.0;
    std::wstring plain = kz::mtextPlainText(m_contents);
    width = 0;
    int lines = 0;
    std::size_t begin = 0;
    while (true) {
        std::size_t end = plain.find(L'\n', begin);
        std::size_t count = (end == std::wstring::npos ? plain.size() : end) - begin;
        double w = charWidth * static_cast<double>(count);
        int rows = 1;
        if (m_width > 0 && w > m_width) {
            // Wraps within the reference rectangle.
            rows = static_cast<int>(std::ceil(w / m_width));
            w = m_width;
        }
        width = std::max(width, w);
        lines += rows;
        if (end == std::wstring::npos)
            break;
        begin = end + 1;
    }
    height = m_height + (lines - 1) * m_height * 5.0 / 3.0 * m_lineSpacing;
}

double AcDbMText::actualHeight() const {
    assertReadEnabled();
    double w = 0, h = 0;
    layoutSize(w, h);
    return h;
}

double AcDbMText::actualWidth() const {
    assertReadEnabled();
    double w = 0, h = 0;
    layoutSize(w, h);
    return w;
}

Acad::ErrorStatus AcDbMText::getGeomExtents(AcDbExtents& extents) const {
    assertReadEnabled();
    double w = 0, h = 0;
    layoutSize(w, h);
    int column = (m_attachment - 1) % 3; // left, centre, right
    int row = (m_attachment - 1) / 3;    // top, middle, bottom
    double left = -w * column / 2.0;
    double bottom = -h * (2 - row) / 2.0;
    extents = kz::textBox(m_location, m_normal, rotation(), left, bottom, w, h);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbMText::transformBy(const AcGeMatrix3d& xform) {
    AcGeVector3d along = xform * m_direction;
    AcGeVector3d up = xform * m_normal.crossProduct(m_direction);
    if (along.isZeroLength() || up.isZeroLength())
        return Acad::eInvalidInput;
    assertWriteEnabled();
    m_location.transformBy(xform);
    m_normal = along.crossProduct(up).normal();
    m_direction = along.normal();
    m_height *= up.length();
    m_width *= along.length();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbMText::dxfInFields(AcDbDxfFiler* filer) {
    AcDbEntity::dxfInFields(filer);
    if (!filer->atSubclassData("AcDbMText"))
        return Acad::eOk;
    std::wstring contents;
    AcGeVector3d direction;
    bool hasDirection = false, hasRotation = false;
    double rotation = 0;
    while (filer->nextItem()) {
        if (kz::readPoint(filer, 10, m_location) || kz::readVector(filer, 210, m_normal))
            continue;
        if (kz::readVector(filer, 11, direction)) {
            hasDirection = true;
            hasRotation = false; // the later of the two wins
            continue;
        }
        switch (filer->code()) {
        case 1:
        case 3:
            contents += filer->asString();
            break;
        case 7:
            kz::readSymbolField(filer, kz::SymbolTable::TextStyle, m_style);
            break;
        case 40:
            m_height = filer->asDouble();
            break;
        case 41:
            m_width = filer->asDouble();
            break;
        case 42:
        case 43:
            break; // the laid-out size: worked out again when needed
        case 44:
            m_lineSpacing = filer->asDouble();
            break;
        case 50:
            rotation = filer->asDouble();
            hasRotation = true;
            break;
        case 71: {
            int a = filer->asInt();
            if (a >= kTopLeft && a <= kBottomRight)
                m_attachment = static_cast<AttachmentPoint>(a);
            else
                filer->keepItem();
            break;
        }
        case 72: {
            int f = filer->asInt();
            if (f >= kLtoR && f <= kByStyle)
                m_flow = static_cast<FlowDirection>(f);
            else
                filer->keepItem();
            break;
        }
        case 73:
            m_lineSpacingStyle = filer->asInt();
            break;
        default:
            filer->keepItem();
        }
    }
    m_contents = std::move(contents);
    m_normal = kz::cleanNormal(m_normal);
    if (hasRotation) {
        // Group 50 is in degrees in the files that carry it (the DXF reference says
        // radians, but writers such as ezdxf use degrees, and so do real drawings).
        m_direction = kz::ocsXAxis(m_normal);
        m_direction.rotateBy(rotation * M_PI / 180.0, m_normal);
    } else if (hasDirection && !direction.isZeroLength()) {
        m_direction = kz::unitAsRead(direction);
    } else {
        m_direction = kz::ocsXAxis(m_normal);
    }
    if (m_style.isNull())
        m_style = kz::findSymbol(filer->database(), kz::SymbolTable::TextStyle, L"Standard");
    return Acad::eOk;
}

Acad::ErrorStatus AcDbMText::dxfOutFields(AcDbDxfFiler* filer) const {
    AcDbEntity::dxfOutFields(filer);
    filer->writeSubclass("AcDbMText");
    filer->writePoint3d(10, m_location);
    filer->writeDouble(40, m_height);
    filer->writeDouble(41, m_width);
    filer->writeInt16(71, m_attachment);
    filer->writeInt16(72, m_flow);
    std::wstring_view rest = m_contents;
    while (rest.size() > kChunk) {
        filer->writeString(3, rest.substr(0, kChunk));
        rest.remove_prefix(kChunk);
    }
    filer->writeString(1, rest);
    std::wstring style = kz::symbolName(m_style);
    filer->writeString(7, style.empty() ? L"Standard" : style);
    kz::writeNormal(filer, m_normal);
    filer->writeVector3d(11, m_direction);
    filer->writeInt16(73, m_lineSpacingStyle);
    filer->writeDouble(44, m_lineSpacing);
    return Acad::eOk;
}
