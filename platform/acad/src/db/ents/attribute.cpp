#include "dbents.h"

#include "db/ents/ent_dxf.h"

ACRX_DXF_DEFINE_MEMBERS(AcDbAttributeDefinition, AcDbText, "ATTDEF")
ACRX_DXF_DEFINE_MEMBERS(AcDbAttribute, AcDbText, "ATTRIB")

namespace {

enum AttributeFlags { kInvisible = 1, kConstant = 2, kVerifiable = 4, kPreset = 8 };

int withFlag(int flags, int flag, bool on) {
    return on ? (flags | flag) : (flags & ~flag);
}

} // namespace

// ---- definitions ----

AcDbAttributeDefinition::AcDbAttributeDefinition(const AcGePoint3d& position, const ACHAR* text,
                                                 const ACHAR* tag, const ACHAR* prompt,
                                                 AcDbObjectId style)
    : AcDbText(position, text, style), m_tag(tag ? tag : L""), m_prompt(prompt ? prompt : L"") {}

ACHAR* AcDbAttributeDefinition::prompt() const {
    return acutNewString(promptConst());
}

ACHAR* AcDbAttributeDefinition::tag() const {
    return acutNewString(tagConst());
}

const ACHAR* AcDbAttributeDefinition::promptConst() const {
    assertReadEnabled();
    return m_prompt.c_str();
}

const ACHAR* AcDbAttributeDefinition::tagConst() const {
    assertReadEnabled();
    return m_tag.c_str();
}

Acad::ErrorStatus AcDbAttributeDefinition::setPrompt(const ACHAR* prompt) {
    assertWriteEnabled();
    m_prompt = prompt ? prompt : L"";
    return Acad::eOk;
}

Acad::ErrorStatus AcDbAttributeDefinition::setTag(const ACHAR* tag) {
    if (!tag || !*tag)
        return Acad::eInvalidInput;
    assertWriteEnabled();
    m_tag = tag;
    return Acad::eOk;
}

bool AcDbAttributeDefinition::isInvisible() const {
    assertReadEnabled();
    return (m_flags & kInvisible) != 0;
}

Acad::ErrorStatus AcDbAttributeDefinition::setInvisible(bool invisible) {
    assertWriteEnabled();
    m_flags = withFlag(m_flags, kInvisible, invisible);
    return Acad::eOk;
}

bool AcDbAttributeDefinition::isConstant() const {
    assertReadEnabled();
    return (m_flags & kConstant) != 0;
}

Acad::ErrorStatus AcDbAttributeDefinition::setConstant(bool constant) {
    assertWriteEnabled();
    m_flags = withFlag(m_flags, kConstant, constant);
    return Acad::eOk;
}

bool AcDbAttributeDefinition::isVerifiable() const {
    assertReadEnabled();
    return (m_flags & kVerifiable) != 0;
}

Acad::ErrorStatus AcDbAttributeDefinition::setVerifiable(bool verifiable) {
    assertWriteEnabled();
    m_flags = withFlag(m_flags, kVerifiable, verifiable);
    return Acad::eOk;
}

bool AcDbAttributeDefinition::isPreset() const {
    assertReadEnabled();
    return (m_flags & kPreset) != 0;
}

Acad::ErrorStatus AcDbAttributeDefinition::setPreset(bool preset) {
    assertWriteEnabled();
    m_flags = withFlag(m_flags, kPreset, preset);
    return Acad::eOk;
}

Adesk::UInt16 AcDbAttributeDefinition::fieldLength() const {
    assertReadEnabled();
    return static_cast<Adesk::UInt16>(m_fieldLength);
}

Acad::ErrorStatus AcDbAttributeDefinition::setFieldLength(Adesk::UInt16 length) {
    assertWriteEnabled();
    m_fieldLength = length;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbAttributeDefinition::dxfInFields(AcDbDxfFiler* filer) {
    AcDbText::dxfInFields(filer);
    if (!filer->atSubclassData("AcDbAttributeDefinition"))
        return Acad::eOk;
    while (filer->nextItem()) {
        switch (filer->code()) {
        case 2:
            m_tag = filer->asString();
            break;
        case 3:
            m_prompt = filer->asString();
            break;
        case 70:
            m_flags = filer->asInt();
            break;
        case 73:
            m_fieldLength = filer->asInt();
            break;
        case 74: {
            AcDb::TextVertMode mode = AcDb::kTextBase;
            if (kz::readEnum(filer, AcDb::kTextBase, AcDb::kTextTop, mode))
                kzSetVerticalMode(mode);
            break;
        }
        default:
            filer->keepItem();
        }
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbAttributeDefinition::dxfOutFields(AcDbDxfFiler* filer) const {
    AcDbText::dxfOutFields(filer);
    filer->writeSubclass("AcDbAttributeDefinition");
    filer->writeString(3, m_prompt);
    filer->writeString(2, m_tag);
    filer->writeInt16(70, m_flags);
    if (m_fieldLength != 0)
        filer->writeInt16(73, m_fieldLength);
    if (verticalMode() != AcDb::kTextBase)
        filer->writeInt16(74, verticalMode());
    return Acad::eOk;
}

// ---- attributes ----

AcDbAttribute::AcDbAttribute(const AcGePoint3d& position, const ACHAR* text, const ACHAR* tag,
                             AcDbObjectId style)
    : AcDbText(position, text, style), m_tag(tag ? tag : L"") {}

ACHAR* AcDbAttribute::tag() const {
    return acutNewString(tagConst());
}

const ACHAR* AcDbAttribute::tagConst() const {
    assertReadEnabled();
    return m_tag.c_str();
}

Acad::ErrorStatus AcDbAttribute::setTag(const ACHAR* tag) {
    if (!tag || !*tag)
        return Acad::eInvalidInput;
    assertWriteEnabled();
    m_tag = tag;
    return Acad::eOk;
}

bool AcDbAttribute::isInvisible() const {
    assertReadEnabled();
    return (m_flags & kInvisible) != 0;
}

Acad::ErrorStatus AcDbAttribute::setInvisible(bool invisible) {
    assertWriteEnabled();
    m_flags = withFlag(m_flags, kInvisible, invisible);
    return Acad::eOk;
}

bool AcDbAttribute::isConstant() const {
    assertReadEnabled();
    return (m_flags & kConstant) != 0;
}

bool AcDbAttribute::isVerifiable() const {
    assertReadEnabled();
    return (m_flags & kVerifiable) != 0;
}

bool AcDbAttribute::isPreset() const {
    assertReadEnabled();
    return (m_flags & kPreset) != 0;
}

Adesk::UInt16 AcDbAttribute::fieldLength() const {
    assertReadEnabled();
    return static_cast<Adesk::UInt16>(m_fieldLength);
}

Acad::ErrorStatus AcDbAttribute::setFieldLength(Adesk::UInt16 length) {
    assertWriteEnabled();
    m_fieldLength = length;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbAttribute::setAttributeFromBlock(const AcDbAttributeDefinition* definition,
                                                       const AcGeMatrix3d& blockTransform) {
    if (!definition)
        return Acad::eNullObjectPointer;
    assertWriteEnabled();
    // The definition's text properties, placed where the reference puts them.
    AcDbText placed(*definition);
    Acad::ErrorStatus es = placed.transformBy(blockTransform);
    if (es != Acad::eOk)
        return es;
    setPosition(placed.position());
    setAlignmentPoint(placed.alignmentPoint());
    setNormal(placed.normal());
    setRotation(placed.rotation());
    if (placed.height() > 0)
        setHeight(placed.height());
    if (placed.widthFactor() > 0)
        setWidthFactor(placed.widthFactor());
    setOblique(placed.oblique());
    setTextString(placed.textStringConst());
    setTextStyle(placed.textStyle());
    setHorizontalMode(placed.horizontalMode());
    setVerticalMode(placed.verticalMode());
    setThickness(placed.thickness());
    m_tag = definition->tagConst();
    m_flags =
        (definition->isInvisible() ? kInvisible : 0) | (definition->isConstant() ? kConstant : 0) |
        (definition->isVerifiable() ? kVerifiable : 0) | (definition->isPreset() ? kPreset : 0);
    m_fieldLength = definition->fieldLength();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbAttribute::dxfInFields(AcDbDxfFiler* filer) {
    AcDbText::dxfInFields(filer);
    if (!filer->atSubclassData("AcDbAttribute"))
        return Acad::eOk;
    while (filer->nextItem()) {
        switch (filer->code()) {
        case 2:
            m_tag = filer->asString();
            break;
        case 70:
            m_flags = filer->asInt();
            break;
        case 73:
            m_fieldLength = filer->asInt();
            break;
        case 74: {
            AcDb::TextVertMode mode = AcDb::kTextBase;
            if (kz::readEnum(filer, AcDb::kTextBase, AcDb::kTextTop, mode))
                kzSetVerticalMode(mode);
            break;
        }
        default:
            filer->keepItem();
        }
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbAttribute::dxfOutFields(AcDbDxfFiler* filer) const {
    AcDbText::dxfOutFields(filer);
    filer->writeSubclass("AcDbAttribute");
    filer->writeString(2, m_tag);
    filer->writeInt16(70, m_flags);
    if (m_fieldLength != 0)
        filer->writeInt16(73, m_fieldLength);
    if (verticalMode() != AcDb::kTextBase)
        filer->writeInt16(74, verticalMode());
    return Acad::eOk;
}
