// Dimensions: the abstract AcDbDimension (text, style, dimension-variable overrides
// and the anonymous block that holds what the dimension looks like) and the two linear
// dimensions, AcDbRotatedDimension (measured along a fixed direction) and
// AcDbAlignedDimension (measured between its two points).
//
// A dimension's variables come from its dimension style unless overridden on the
// dimension itself; overrides are kept as the "ACAD" application's extended data, in
// a DSTYLE list, so xData(L"ACAD") shows them and files carry them. A dimension in a
// database owns a "*D" block that is rebuilt when the dimension is closed after a
// change, and by recomputeDimBlock().
#pragma once

#include "dbmain.h"

#include <string>

namespace kz::dim {
struct LinearDefinition;
}

class AcDbDimension : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(AcDbDimension);

    AcDbDimension();
    // A copy owns no block yet: it gets its own when it is added to a database.
    AcDbDimension(const AcDbDimension& other);
    ~AcDbDimension() override;

    // ---- the block that shows the dimension ----
    AcDbObjectId dimBlockId() const;
    Acad::ErrorStatus setDimBlockId(const AcDbObjectId& id);
    AcGePoint3d dimBlockPosition() const;
    Acad::ErrorStatus setDimBlockPosition(const AcGePoint3d& position);
    // Rebuilds the block now. A dimension in no database has no block: eNotInDatabase.
    Acad::ErrorStatus recomputeDimBlock(bool forceUpdate = true);

    // ---- text ----
    // The middle of the text: where the user put it, or (after the block was built)
    // where the default placement put it.
    AcGePoint3d textPosition() const;
    // Moves the text and makes the position the user's (useSetTextPosition).
    Acad::ErrorStatus setTextPosition(const AcGePoint3d& position);
    bool isUsingDefaultTextPosition() const;
    Acad::ErrorStatus useSetTextPosition();
    Acad::ErrorStatus useDefaultTextPosition();
    // The override text, newly allocated (free with acutDelString): "" shows the
    // measurement, "<>" inside the text stands for it, " " shows no text.
    ACHAR* dimensionText() const;
    Acad::ErrorStatus setDimensionText(const ACHAR* text);
    // Absolute text angle in radians; 0 keeps the text along the dimension line.
    double textRotation() const;
    Acad::ErrorStatus setTextRotation(double angle);
    double horizontalRotation() const;
    Acad::ErrorStatus setHorizontalRotation(double angle);
    // The measurement text as the block shows it (formatted, override applied).
    std::wstring formatMeasurement() const;

    // ---- style, plane ----
    // The dimension style; a null id means the database's current one.
    AcDbObjectId dimensionStyle() const;
    Acad::ErrorStatus setDimensionStyle(AcDbObjectId styleId);
    AcGeVector3d normal() const;
    Acad::ErrorStatus setNormal(const AcGeVector3d& normal);
    // The height of the dimension's points above the XY plane; setting it moves them.
    double elevation() const;
    Acad::ErrorStatus setElevation(double elevation);

    // ---- measurement ----
    // The raw measured value (dimlfac not applied).
    Acad::ErrorStatus measurement(double& value) const;
    double measurement() const;

    // ---- dimension variables (overrides of the style's values) ----
    double dimasz() const;
    Acad::ErrorStatus setDimasz(double value);
    double dimscale() const;
    Acad::ErrorStatus setDimscale(double value);
    double dimexo() const;
    Acad::ErrorStatus setDimexo(double value);
    double dimexe() const;
    Acad::ErrorStatus setDimexe(double value);
    double dimdle() const;
    Acad::ErrorStatus setDimdle(double value);
    double dimrnd() const;
    Acad::ErrorStatus setDimrnd(double value);
    double dimtxt() const;
    Acad::ErrorStatus setDimtxt(double value);
    double dimlfac() const;
    Acad::ErrorStatus setDimlfac(double value);
    double dimgap() const;
    Acad::ErrorStatus setDimgap(double value);
    bool dimtih() const;
    Acad::ErrorStatus setDimtih(bool value);
    bool dimtoh() const;
    Acad::ErrorStatus setDimtoh(bool value);
    bool dimse1() const;
    Acad::ErrorStatus setDimse1(bool value);
    bool dimse2() const;
    Acad::ErrorStatus setDimse2(bool value);
    // 0 centred on the line, 1 above, 2 outside (away from the measured points),
    // 3 JIS (above), 4 below.
    int dimtad() const;
    Acad::ErrorStatus setDimtad(int value);
    // 8 suppresses trailing zeros, 4 leading zeros.
    int dimzin() const;
    Acad::ErrorStatus setDimzin(int value);
    bool dimsah() const;
    Acad::ErrorStatus setDimsah(bool value);
    bool dimtix() const;
    Acad::ErrorStatus setDimtix(bool value);
    AcCmColor dimclrd() const;
    Acad::ErrorStatus setDimclrd(const AcCmColor& value);
    AcCmColor dimclre() const;
    Acad::ErrorStatus setDimclre(const AcCmColor& value);
    AcCmColor dimclrt() const;
    Acad::ErrorStatus setDimclrt(const AcCmColor& value);
    int dimdec() const;
    Acad::ErrorStatus setDimdec(int value);
    // The decimal separator, as a character code.
    int dimdsep() const;
    Acad::ErrorStatus setDimdsep(int value);
    // 0 the dimension line moves with the text, 1 a leader joins them, 2 free.
    int dimtmove() const;
    Acad::ErrorStatus setDimtmove(int value);
    // 0 centred, 1 next to extension line 1, 2 next to extension line 2.
    int dimjust() const;
    Acad::ErrorStatus setDimjust(int value);
    AcDb::LineWeight dimlwd() const;
    Acad::ErrorStatus setDimlwd(AcDb::LineWeight value);
    AcDb::LineWeight dimlwe() const;
    Acad::ErrorStatus setDimlwe(AcDb::LineWeight value);
    // Text around the measurement; "<>" stands for it.
    std::wstring dimpost() const;
    Acad::ErrorStatus setDimpost(const ACHAR* value);
    AcDbObjectId dimtxsty() const;
    Acad::ErrorStatus setDimtxsty(AcDbObjectId value);
    // Arrowhead blocks. A null id is the closed filled arrowhead. Setting by name
    // takes a standard arrowhead ("_DOT", "_NONE", "" closed filled...), creating its
    // block in the drawing when missing, or an existing block of the drawing. Without
    // dimsah both ends show dimblk; with it, dimblk1 and dimblk2.
    AcDbObjectId dimblk() const;
    Acad::ErrorStatus setDimblk(AcDbObjectId value);
    Acad::ErrorStatus setDimblk(const ACHAR* name);
    AcDbObjectId dimblk1() const;
    Acad::ErrorStatus setDimblk1(AcDbObjectId value);
    Acad::ErrorStatus setDimblk1(const ACHAR* name);
    AcDbObjectId dimblk2() const;
    Acad::ErrorStatus setDimblk2(AcDbObjectId value);
    Acad::ErrorStatus setDimblk2(const ACHAR* name);

    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;
    Acad::ErrorStatus transformBy(const AcGeMatrix3d& xform) override;

    // Host internals ------------------------------------------------------------
    // The geometry of a linear dimension; false for other kinds.
    virtual bool kzLinearDefinition(kz::dim::LinearDefinition& def) const { return false; }
    // Group 70's type number (0 rotated, 1 aligned).
    virtual int kzDimensionType() const = 0;
    // Overrides are kept in the extended data: changing them goes through these.
    bool kzNeedsRebuild() const { return m_needsRebuild; }
    void kzMarkChanged();
    // Called by the block builder: records the block and the text's default place.
    void kzSetBuilt(AcDbObjectId blockId, const AcGePoint3d& defaultTextPosition);

protected:
    void subClose() override;
    // The points of the dimension, for elevation and transforms.
    virtual void kzTransformPoints(const AcGeMatrix3d& xform) = 0;
    // Group 10 (the dimension line point) and 52 (oblique) sit in the AcDbDimension
    // subclass of the file but belong to the linear dimensions.
    virtual AcGePoint3d kzDefinitionPoint() const = 0;
    virtual void kzSetDefinitionPoint(const AcGePoint3d& point) = 0;
    virtual double kzOblique() const { return 0; }
    virtual void kzSetOblique(double angle) {}

private:
    AcDbObjectId m_blockId;
    std::wstring m_blockName; // as read, until the block is found
    AcGePoint3d m_blockPosition;
    AcGePoint3d m_textPosition;
    bool m_userTextPosition = false;
    std::wstring m_text;
    double m_textRotation = 0;
    double m_horizontalRotation = 0;
    AcDbObjectId m_styleId;
    std::wstring m_styleName; // as read, until the style is found
    AcGeVector3d m_normal{0, 0, 1};
    int m_attachment = 5; // middle centre
    bool m_needsRebuild = true;
    bool m_rebuilding = false;
};

class AcDbAlignedDimension : public AcDbDimension {
public:
    ACRX_DECLARE_MEMBERS(AcDbAlignedDimension);

    AcDbAlignedDimension();
    AcDbAlignedDimension(const AcGePoint3d& xLine1Point, const AcGePoint3d& xLine2Point,
                         const AcGePoint3d& dimLinePoint, const ACHAR* dimText = nullptr,
                         AcDbObjectId dimStyle = AcDbObjectId());
    AcRxObject* clone() const override { return new AcDbAlignedDimension(*this); }

    AcGePoint3d xLine1Point() const { return m_xLine1; }
    Acad::ErrorStatus setXLine1Point(const AcGePoint3d& point);
    AcGePoint3d xLine2Point() const { return m_xLine2; }
    Acad::ErrorStatus setXLine2Point(const AcGePoint3d& point);
    AcGePoint3d dimLinePoint() const { return m_dimLine; }
    Acad::ErrorStatus setDimLinePoint(const AcGePoint3d& point);
    // Angle of the extension lines from the dimension line (radians); 0 is square.
    double oblique() const { return m_oblique; }
    Acad::ErrorStatus setOblique(double angle);

    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;

    bool kzLinearDefinition(kz::dim::LinearDefinition& def) const override;
    int kzDimensionType() const override { return 1; }

protected:
    void kzTransformPoints(const AcGeMatrix3d& xform) override;
    AcGePoint3d kzDefinitionPoint() const override { return m_dimLine; }
    void kzSetDefinitionPoint(const AcGePoint3d& point) override { m_dimLine = point; }
    double kzOblique() const override { return m_oblique; }
    void kzSetOblique(double angle) override { m_oblique = angle; }

private:
    AcGePoint3d m_xLine1, m_xLine2, m_dimLine;
    double m_oblique = 0;
};

class AcDbRotatedDimension : public AcDbDimension {
public:
    ACRX_DECLARE_MEMBERS(AcDbRotatedDimension);

    AcDbRotatedDimension();
    AcDbRotatedDimension(double rotation, const AcGePoint3d& xLine1Point,
                         const AcGePoint3d& xLine2Point, const AcGePoint3d& dimLinePoint,
                         const ACHAR* dimText = nullptr, AcDbObjectId dimStyle = AcDbObjectId());
    AcRxObject* clone() const override { return new AcDbRotatedDimension(*this); }

    AcGePoint3d xLine1Point() const { return m_xLine1; }
    Acad::ErrorStatus setXLine1Point(const AcGePoint3d& point);
    AcGePoint3d xLine2Point() const { return m_xLine2; }
    Acad::ErrorStatus setXLine2Point(const AcGePoint3d& point);
    AcGePoint3d dimLinePoint() const { return m_dimLine; }
    Acad::ErrorStatus setDimLinePoint(const AcGePoint3d& point);
    // Angle of the extension lines from the dimension line (radians); 0 is square.
    double oblique() const { return m_oblique; }
    Acad::ErrorStatus setOblique(double angle);
    // Direction of the dimension line from the X axis (radians).
    double rotation() const { return m_rotation; }
    Acad::ErrorStatus setRotation(double angle);

    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;

    bool kzLinearDefinition(kz::dim::LinearDefinition& def) const override;
    int kzDimensionType() const override { return 0; }

protected:
    void kzTransformPoints(const AcGeMatrix3d& xform) override;
    AcGePoint3d kzDefinitionPoint() const override { return m_dimLine; }
    void kzSetDefinitionPoint(const AcGePoint3d& point) override { m_dimLine = point; }
    double kzOblique() const override { return m_oblique; }
    void kzSetOblique(double angle) override { m_oblique = angle; }

private:
    AcGePoint3d m_xLine1, m_xLine2, m_dimLine;
    double m_oblique = 0;
    double m_rotation = 0;
};
