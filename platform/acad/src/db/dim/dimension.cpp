#include "dbdim.h"

#include "db/database_impl.h"
#include "db/dim_graphics.h"
#include "db/dim_vars.h"
#include "db/ents/ent_dxf.h"
#include "db/symbol_lookup.h"
#include "dbsymtb.h"

#include <cmath>

// Files name every dimension "DIMENSION"; the reader picks the class from the
// subclass markers (or, in files without them, from group 70).
ACRX_DEFINE_MEMBERS_EX(AcDbDimension, AcDbEntity, "DIMENSION", nullptr)

namespace {

using kz::dim::VarDef;
using kz::dim::VarValue;

constexpr double kPi = 3.14159265358979323846;

const VarDef& def(short code) {
    return *kz::dim::findVar(code);
}

VarValue get(const AcDbDimension* dim, short code) {
    return kz::dim::value(dim, dim->dimensionStyle(), def(code));
}

double number(const AcDbDimension* dim, short code) {
    return get(dim, code).number;
}

int integer(const AcDbDimension* dim, short code) {
    return static_cast<int>(std::lround(number(dim, code)));
}

AcCmColor colorOf(const AcDbDimension* dim, short code) {
    AcCmColor c;
    int index = integer(dim, code);
    if (c.setColorIndex(static_cast<Adesk::UInt16>(index < 0 || index > 256 ? 0 : index)) !=
        Acad::eOk)
        c.setByBlock();
    return c;
}

VarValue numberValue(double v) {
    VarValue value;
    value.number = v;
    return value;
}

VarValue idValue(AcDbObjectId id) {
    VarValue value;
    value.id = id;
    return value;
}

// The colour index that an override keeps for a colour.
double colorIndexOf(const AcCmColor& c) {
    if (c.isByLayer())
        return 256;
    if (c.isByBlock())
        return 0;
    Adesk::UInt16 index = c.colorIndex();
    return index >= 1 && index <= 255 ? index : 7;
}

bool isRecordOf(AcDbObjectId id, AcRxClass* cls) {
    AcDbStub* s = id.stub();
    return s && s->object && !s->erased && s->object->isKindOf(cls);
}

} // namespace

AcDbDimension::AcDbDimension() = default;

AcDbDimension::AcDbDimension(const AcDbDimension& other)
    : AcDbEntity(other), m_blockPosition(other.m_blockPosition),
      m_textPosition(other.m_textPosition), m_userTextPosition(other.m_userTextPosition),
      m_text(other.m_text), m_textRotation(other.m_textRotation),
      m_horizontalRotation(other.m_horizontalRotation), m_styleId(other.m_styleId),
      m_styleName(other.m_styleName), m_normal(other.m_normal), m_attachment(other.m_attachment),
      m_needsRebuild(true) {}

AcDbDimension::~AcDbDimension() = default;

void AcDbDimension::kzMarkChanged() {
    assertWriteEnabled();
    m_needsRebuild = true;
}

void AcDbDimension::kzSetBuilt(AcDbObjectId blockId, const AcGePoint3d& defaultTextPosition) {
    m_blockId = blockId;
    m_blockName.clear();
    if (!m_userTextPosition)
        m_textPosition = defaultTextPosition;
    m_needsRebuild = false;
}

void AcDbDimension::subClose() {
    if (m_rebuilding || !m_needsRebuild || !database())
        return;
    m_rebuilding = true;
    kz::dim::rebuildBlock(this);
    m_rebuilding = false;
}

// ---- block ----

AcDbObjectId AcDbDimension::dimBlockId() const {
    if (m_blockId.isNull() && !m_blockName.empty())
        return kz::findSymbol(kz::databaseFor(this), kz::SymbolTable::Block, m_blockName.c_str());
    return m_blockId;
}

Acad::ErrorStatus AcDbDimension::setDimBlockId(const AcDbObjectId& id) {
    if (!id.isNull() && !isRecordOf(id, AcDbBlockTableRecord::desc()))
        return Acad::eInvalidInput;
    assertWriteEnabled();
    m_blockId = id;
    m_blockName.clear();
    return Acad::eOk;
}

AcGePoint3d AcDbDimension::dimBlockPosition() const {
    return m_blockPosition;
}

Acad::ErrorStatus AcDbDimension::setDimBlockPosition(const AcGePoint3d& position) {
    assertWriteEnabled();
    m_blockPosition = position;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDimension::recomputeDimBlock(bool) {
    if (!database())
        return Acad::eNotInDatabase;
    if (m_rebuilding)
        return Acad::eOk;
    m_rebuilding = true;
    Acad::ErrorStatus es = kz::dim::rebuildBlock(this);
    m_rebuilding = false;
    return es;
}

// ---- text ----

AcGePoint3d AcDbDimension::textPosition() const {
    if (!m_userTextPosition && m_needsRebuild) {
        // Not built since the last change: lay it out now so the answer is current.
        kz::dim::DimLayout layout;
        if (kz::dim::layoutDimension(*this, layout) && layout.text)
            return layout.text->centre;
    }
    return m_textPosition;
}

Acad::ErrorStatus AcDbDimension::setTextPosition(const AcGePoint3d& position) {
    kzMarkChanged();
    m_textPosition = position;
    m_userTextPosition = true;
    return Acad::eOk;
}

bool AcDbDimension::isUsingDefaultTextPosition() const {
    return !m_userTextPosition;
}

Acad::ErrorStatus AcDbDimension::useSetTextPosition() {
    kzMarkChanged();
    m_userTextPosition = true;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDimension::useDefaultTextPosition() {
    kzMarkChanged();
    m_userTextPosition = false;
    return Acad::eOk;
}

ACHAR* AcDbDimension::dimensionText() const {
    return acutNewString(m_text.c_str());
}

Acad::ErrorStatus AcDbDimension::setDimensionText(const ACHAR* text) {
    kzMarkChanged();
    m_text = text ? text : L"";
    return Acad::eOk;
}

double AcDbDimension::textRotation() const {
    return m_textRotation;
}

Acad::ErrorStatus AcDbDimension::setTextRotation(double angle) {
    if (!std::isfinite(angle))
        return Acad::eInvalidInput;
    kzMarkChanged();
    m_textRotation = angle;
    return Acad::eOk;
}

double AcDbDimension::horizontalRotation() const {
    return m_horizontalRotation;
}

Acad::ErrorStatus AcDbDimension::setHorizontalRotation(double angle) {
    if (!std::isfinite(angle))
        return Acad::eInvalidInput;
    kzMarkChanged();
    m_horizontalRotation = angle;
    return Acad::eOk;
}

// ---- style and plane ----

AcDbObjectId AcDbDimension::dimensionStyle() const {
    if (isRecordOf(m_styleId, AcDbDimStyleTableRecord::desc()))
        return m_styleId;
    AcDbDatabase* db = kz::databaseFor(this);
    if (!m_styleName.empty()) {
        AcDbObjectId id = kz::findSymbol(db, kz::SymbolTable::DimStyle, m_styleName.c_str());
        if (!id.isNull())
            return id;
    }
    return db ? db->dimstyle() : AcDbObjectId();
}

Acad::ErrorStatus AcDbDimension::setDimensionStyle(AcDbObjectId styleId) {
    if (!styleId.isNull() && !isRecordOf(styleId, AcDbDimStyleTableRecord::desc()))
        return Acad::eInvalidInput;
    kzMarkChanged();
    m_styleId = styleId;
    m_styleName.clear();
    return Acad::eOk;
}

AcGeVector3d AcDbDimension::normal() const {
    return m_normal;
}

Acad::ErrorStatus AcDbDimension::setNormal(const AcGeVector3d& normal) {
    if (normal.isZeroLength())
        return Acad::eInvalidInput;
    kzMarkChanged();
    m_normal = normal.normal();
    return Acad::eOk;
}

double AcDbDimension::elevation() const {
    return kzDefinitionPoint().z;
}

Acad::ErrorStatus AcDbDimension::setElevation(double elevation) {
    if (!std::isfinite(elevation))
        return Acad::eInvalidInput;
    kzMarkChanged();
    double dz = elevation - kzDefinitionPoint().z;
    kzTransformPoints(AcGeMatrix3d::translation(AcGeVector3d(0, 0, dz)));
    m_textPosition.z += dz;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDimension::transformBy(const AcGeMatrix3d& xform) {
    kzMarkChanged();
    kzTransformPoints(xform);
    m_textPosition.transformBy(xform);
    m_blockPosition.transformBy(xform);
    return Acad::eOk;
}

// ---- measurement ----

Acad::ErrorStatus AcDbDimension::measurement(double& value) const {
    kz::dim::LinearDefinition d;
    if (!kzLinearDefinition(d)) {
        value = 0;
        return Acad::eNotApplicable;
    }
    value = d.measurement;
    return Acad::eOk;
}

double AcDbDimension::measurement() const {
    double v = 0;
    measurement(v);
    return v;
}

namespace {

void replaceAll(std::wstring& text, std::wstring_view from, std::wstring_view to) {
    for (std::size_t at = text.find(from); at != std::wstring::npos;
         at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

} // namespace

std::wstring AcDbDimension::formatMeasurement() const {
    double v = measurement() * dimlfac();
    double rnd = dimrnd();
    if (rnd > 0)
        v = std::round(v / rnd) * rnd;
    int dec = dimdec();
    if (dec < 0)
        dec = 0;
    if (dec > 8)
        dec = 8;
    // Halves round away from zero, as drawings expect (printf would round to even).
    double p = std::pow(10.0, dec);
    v = std::round(v * p) / p;
    wchar_t buf[64];
    std::swprintf(buf, 64, L"%.*f", dec, v);
    std::wstring text = buf;
    if (text.find_first_not_of(L"-0.") == std::wstring::npos && text[0] == L'-')
        text.erase(0, 1); // no "-0.00"
    int zin = dimzin();
    std::size_t point = text.find(L'.');
    if ((zin & 8) && point != std::wstring::npos) {
        while (text.back() == L'0')
            text.pop_back();
        if (text.back() == L'.')
            text.pop_back();
    }
    if ((zin & 4) && text.size() > 1 && point != std::wstring::npos) {
        std::size_t digit = text[0] == L'-' ? 1 : 0;
        if (text[digit] == L'0' && digit + 1 < text.size() && text[digit + 1] == L'.')
            text.erase(digit, 1);
    }
    int sep = dimdsep();
    if (sep > 0 && sep != L'.')
        replaceAll(text, L".", std::wstring(1, static_cast<wchar_t>(sep)));
    std::wstring post = dimpost();
    if (!post.empty()) {
        if (post.find(L"<>") != std::wstring::npos) {
            replaceAll(post, L"<>", text);
            text = post;
        } else {
            text += post;
        }
    }
    if (m_text.empty())
        return text;
    if (m_text == L" ")
        return {};
    std::wstring shown = m_text;
    replaceAll(shown, L"<>", text);
    return shown;
}

// ---- dimension variables ----

namespace {

Acad::ErrorStatus setOverride(AcDbDimension* dim, short code, const VarValue& v) {
    dim->kzMarkChanged();
    kz::dim::setOverride(dim, def(code), v);
    return Acad::eOk;
}

// An arrowhead block by name: standard ones are made in the drawing when missing.
Acad::ErrorStatus setArrowByName(AcDbDimension* dim, short code, const ACHAR* name) {
    Acad::ErrorStatus es = Acad::eOk;
    AcDbObjectId id = kz::dim::arrowBlock(kz::databaseFor(dim), name ? name : L"", true, &es);
    if (es != Acad::eOk)
        return es;
    return setOverride(dim, code, idValue(id));
}

} // namespace

#define KZ_DIM_REAL(GET, SET, CODE, VALID)                                                         \
    double AcDbDimension::GET() const {                                                            \
        return number(this, CODE);                                                                 \
    }                                                                                              \
    Acad::ErrorStatus AcDbDimension::SET(double v) {                                               \
        if (!std::isfinite(v) || !(VALID))                                                         \
            return Acad::eInvalidInput;                                                            \
        return setOverride(this, CODE, numberValue(v));                                            \
    }
#define KZ_DIM_INT(GET, SET, CODE, VALID)                                                          \
    int AcDbDimension::GET() const {                                                               \
        return integer(this, CODE);                                                                \
    }                                                                                              \
    Acad::ErrorStatus AcDbDimension::SET(int v) {                                                  \
        if (!(VALID))                                                                              \
            return Acad::eInvalidInput;                                                            \
        return setOverride(this, CODE, numberValue(v));                                            \
    }
#define KZ_DIM_BOOL(GET, SET, CODE)                                                                \
    bool AcDbDimension::GET() const {                                                              \
        return integer(this, CODE) != 0;                                                           \
    }                                                                                              \
    Acad::ErrorStatus AcDbDimension::SET(bool v) {                                                 \
        return setOverride(this, CODE, numberValue(v ? 1 : 0));                                    \
    }
#define KZ_DIM_COLOR(GET, SET, CODE)                                                               \
    AcCmColor AcDbDimension::GET() const {                                                         \
        return colorOf(this, CODE);                                                                \
    }                                                                                              \
    Acad::ErrorStatus AcDbDimension::SET(const AcCmColor& v) {                                     \
        return setOverride(this, CODE, numberValue(colorIndexOf(v)));                              \
    }
#define KZ_DIM_BLOCK(GET, SET, CODE)                                                               \
    AcDbObjectId AcDbDimension::GET() const {                                                      \
        return get(this, CODE).id;                                                                 \
    }                                                                                              \
    Acad::ErrorStatus AcDbDimension::SET(AcDbObjectId v) {                                         \
        if (!v.isNull() && !isRecordOf(v, AcDbBlockTableRecord::desc()))                           \
            return Acad::eInvalidInput;                                                            \
        return setOverride(this, CODE, idValue(v));                                                \
    }                                                                                              \
    Acad::ErrorStatus AcDbDimension::SET(const ACHAR* name) {                                      \
        return setArrowByName(this, CODE, name);                                                   \
    }

using namespace kz::dim;

KZ_DIM_REAL(dimasz, setDimasz, kDimasz, v >= 0)
KZ_DIM_REAL(dimscale, setDimscale, kDimscale, v >= 0)
KZ_DIM_REAL(dimexo, setDimexo, kDimexo, true)
KZ_DIM_REAL(dimexe, setDimexe, kDimexe, true)
KZ_DIM_REAL(dimdle, setDimdle, kDimdle, true)
KZ_DIM_REAL(dimrnd, setDimrnd, kDimrnd, v >= 0)
KZ_DIM_REAL(dimtxt, setDimtxt, kDimtxt, v >= 0)
KZ_DIM_REAL(dimlfac, setDimlfac, kDimlfac, v != 0)
KZ_DIM_REAL(dimgap, setDimgap, kDimgap, true)
KZ_DIM_BOOL(dimtih, setDimtih, kDimtih)
KZ_DIM_BOOL(dimtoh, setDimtoh, kDimtoh)
KZ_DIM_BOOL(dimse1, setDimse1, kDimse1)
KZ_DIM_BOOL(dimse2, setDimse2, kDimse2)
KZ_DIM_INT(dimtad, setDimtad, kDimtad, v >= 0 && v <= 4)
KZ_DIM_INT(dimzin, setDimzin, kDimzin, v >= 0 && v <= 15)
KZ_DIM_BOOL(dimsah, setDimsah, kDimsah)
KZ_DIM_BOOL(dimtix, setDimtix, kDimtix)
KZ_DIM_COLOR(dimclrd, setDimclrd, kDimclrd)
KZ_DIM_COLOR(dimclre, setDimclre, kDimclre)
KZ_DIM_COLOR(dimclrt, setDimclrt, kDimclrt)
KZ_DIM_INT(dimdec, setDimdec, kDimdec, v >= 0 && v <= 8)
KZ_DIM_INT(dimdsep, setDimdsep, kDimdsep, v > 0 && v < 0x10000)
KZ_DIM_INT(dimtmove, setDimtmove, kDimtmove, v >= 0 && v <= 2)
KZ_DIM_INT(dimjust, setDimjust, kDimjust, v >= 0 && v <= 4)
KZ_DIM_BLOCK(dimblk, setDimblk, kDimblk)
KZ_DIM_BLOCK(dimblk1, setDimblk1, kDimblk1)
KZ_DIM_BLOCK(dimblk2, setDimblk2, kDimblk2)

AcDb::LineWeight AcDbDimension::dimlwd() const {
    return static_cast<AcDb::LineWeight>(integer(this, kDimlwd));
}
Acad::ErrorStatus AcDbDimension::setDimlwd(AcDb::LineWeight v) {
    return setOverride(this, kDimlwd, numberValue(v));
}
AcDb::LineWeight AcDbDimension::dimlwe() const {
    return static_cast<AcDb::LineWeight>(integer(this, kDimlwe));
}
Acad::ErrorStatus AcDbDimension::setDimlwe(AcDb::LineWeight v) {
    return setOverride(this, kDimlwe, numberValue(v));
}

std::wstring AcDbDimension::dimpost() const {
    return get(this, kDimpost).text;
}
Acad::ErrorStatus AcDbDimension::setDimpost(const ACHAR* value) {
    VarValue v;
    v.text = value ? value : L"";
    return setOverride(this, kDimpost, v);
}

AcDbObjectId AcDbDimension::dimtxsty() const {
    return get(this, kDimtxsty).id;
}
Acad::ErrorStatus AcDbDimension::setDimtxsty(AcDbObjectId value) {
    if (!value.isNull() && !isRecordOf(value, AcDbTextStyleTableRecord::desc()))
        return Acad::eInvalidInput;
    return setOverride(this, kDimtxsty, idValue(value));
}

// ---- DXF ----

Acad::ErrorStatus AcDbDimension::dxfInFields(AcDbDxfFiler* filer) {
    AcDbEntity::dxfInFields(filer);
    if (!filer->atSubclassData("AcDbDimension"))
        return Acad::eOk;
    AcDbDatabase* db = filer->database();
    double def[3] = {0, 0, 0}, text[3] = {0, 0, 0}, blockPos[3] = {0, 0, 0}, normal[3] = {0, 0, 1};
    bool hasText = false;
    while (filer->nextItem()) {
        int code = filer->code();
        switch (code) {
        case 2:
            m_blockName = filer->asString();
            m_blockId = kz::findSymbol(db, kz::SymbolTable::Block, m_blockName.c_str());
            if (!m_blockId.isNull())
                m_blockName.clear();
            break;
        case 3:
            m_styleName = filer->asString();
            m_styleId = kz::findSymbol(db, kz::SymbolTable::DimStyle, m_styleName.c_str());
            if (!m_styleId.isNull())
                m_styleName.clear();
            break;
        case 10:
        case 20:
        case 30:
            def[code / 10 - 1] = filer->asDouble();
            break;
        case 11:
        case 21:
        case 31:
            text[(code - 11) / 10] = filer->asDouble();
            hasText = true;
            break;
        case 12:
        case 22:
        case 32:
            blockPos[(code - 12) / 10] = filer->asDouble();
            break;
        case 70:
            // The type bits follow from the class; 128 marks a text the user placed.
            m_userTextPosition = (filer->asInt() & 128) != 0;
            break;
        case 71:
            m_attachment = filer->asInt();
            break;
        case 1:
            m_text = filer->asString();
            break;
        case 42:
            break; // the measurement is recomputed
        case 52: {
            double deg = std::fmod(filer->asDouble(), 180.0);
            kzSetOblique(std::fabs(std::fabs(deg) - 90.0) < 1e-9 ? 0.0 : deg * kPi / 180.0);
            break;
        }
        case 53:
            m_textRotation = filer->asDouble() * kPi / 180.0;
            break;
        case 51:
            m_horizontalRotation = filer->asDouble() * kPi / 180.0;
            break;
        case 210:
        case 220:
        case 230:
            normal[(code - 210) / 10] = filer->asDouble();
            break;
        default:
            filer->keepItem();
        }
    }
    kzSetDefinitionPoint(AcGePoint3d(def[0], def[1], def[2]));
    if (hasText)
        m_textPosition.set(text[0], text[1], text[2]);
    m_blockPosition.set(blockPos[0], blockPos[1], blockPos[2]);
    AcGeVector3d n(normal[0], normal[1], normal[2]);
    m_normal = kz::cleanNormal(n);
    // What the file holds is what the dimension shows until it is changed.
    m_needsRebuild = false;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDimension::dxfOutFields(AcDbDxfFiler* filer) const {
    AcDbEntity::dxfOutFields(filer);
    filer->writeSubclass("AcDbDimension");
    AcDbObjectId block = dimBlockId();
    std::wstring blockName = block.isNull() ? m_blockName : kz::symbolName(block);
    if (!blockName.empty())
        filer->writeString(2, blockName);
    filer->writePoint3d(10, kzDefinitionPoint());
    filer->writePoint3d(11, textPosition());
    if (m_blockPosition.x != 0 || m_blockPosition.y != 0 || m_blockPosition.z != 0)
        filer->writePoint3d(12, m_blockPosition);
    filer->writeInt16(70, kzDimensionType() | 32 | (m_userTextPosition ? 128 : 0));
    filer->writeInt16(71, m_attachment);
    filer->writeDouble(42, measurement());
    if (!m_text.empty())
        filer->writeString(1, m_text);
    if (kzOblique() != 0)
        filer->writeDouble(52, kzOblique() * 180.0 / kPi);
    if (m_textRotation != 0)
        filer->writeDouble(53, m_textRotation * 180.0 / kPi);
    if (m_horizontalRotation != 0)
        filer->writeDouble(51, m_horizontalRotation * 180.0 / kPi);
    if (!m_normal.isEqualTo(AcGeVector3d(0, 0, 1)))
        filer->writeVector3d(210, m_normal);
    std::wstring style = kz::symbolName(dimensionStyle());
    if (style.empty())
        style = m_styleName.empty() ? L"Standard" : m_styleName;
    filer->writeString(3, style);
    return Acad::eOk;
}
