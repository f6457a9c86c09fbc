// The drawing's simple entities: lines, points, circles, arcs, solids, texts,
// attributes, block references and the old-style 2D and 3D polylines with their
// vertices. Positions are in world coordinates unless a member says otherwise;
// angles are in radians.
#pragma once

#include "dbcurve.h"
#include "dbmain.h"
#include "gescl3d.h"

#include <memory>
#include <string>
#include <vector>

namespace kz {
class SubentityList; // the sub-entities an entity owns (vertices, attributes)
} // namespace kz

class AcDbAttribute;

// Walks a list of entity ids: the vertices of a polyline, the attributes of a block
// reference. Erased entities are skipped, except those of an erased owner (erased with
// it), which a reader that opened the owner as erased still walks.
class AcDbObjectIterator {
public:
    void start(bool atEnd = false);
    bool done() const;
    void step(bool backwards = false, bool skipDeleted = true);
    AcDbObjectId objectId() const;
    // The entity itself, without opening it: for entities that are not in a database
    // (the vertices of a new polyline), or while their owner is open.
    AcDbEntity* entity();
    void setPosition(AcDbObjectId id);
    void setPosition(AcDbEntity* entity);

    // Host internals: the iterator over these entries, in order.
    struct Entry {
        AcDbObjectId id;
        AcDbEntity* entity = nullptr;
    };
    explicit AcDbObjectIterator(std::vector<Entry> entries, bool ownerErased = false);

private:
    bool usable(std::size_t index) const;
    std::vector<Entry> m_entries;
    long m_pos = 0;
    bool m_ownerErased = false;
};

class AcDbLine : public AcDbCurve {
public:
    ACRX_DECLARE_MEMBERS(AcDbLine);
    AcDbLine() = default;
    AcDbLine(const AcGePoint3d& start, const AcGePoint3d& end);
    AcRxObject* clone() const override { return new AcDbLine(*this); }

    AcGePoint3d startPoint() const;
    Acad::ErrorStatus setStartPoint(const AcGePoint3d& point);
    AcGePoint3d endPoint() const;
    Acad::ErrorStatus setEndPoint(const AcGePoint3d& point);
    double thickness() const;
    Acad::ErrorStatus setThickness(double thickness);
    AcGeVector3d normal() const;
    Acad::ErrorStatus setNormal(const AcGeVector3d& normal);

    Acad::ErrorStatus transformBy(const AcGeMatrix3d& xform) override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;
    void kzGetPath(kz::CurvePath& path) const override;

private:
    AcGePoint3d m_start, m_end;
    double m_thickness = 0;
    AcGeVector3d m_normal = AcGeVector3d::kZAxis;
};

class AcDbPoint : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(AcDbPoint);
    AcDbPoint() = default;
    explicit AcDbPoint(const AcGePoint3d& position);
    AcRxObject* clone() const override { return new AcDbPoint(*this); }

    AcGePoint3d position() const;
    Acad::ErrorStatus setPosition(const AcGePoint3d& position);
    double thickness() const;
    Acad::ErrorStatus setThickness(double thickness);
    AcGeVector3d normal() const;
    Acad::ErrorStatus setNormal(const AcGeVector3d& normal);
    // The angle of the point's x axis, for point styles drawn with a shape.
    double ecsRotation() const;
    Acad::ErrorStatus setEcsRotation(double rotation);

    Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;
    Acad::ErrorStatus transformBy(const AcGeMatrix3d& xform) override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;

private:
    AcGePoint3d m_position;
    double m_thickness = 0;
    AcGeVector3d m_normal = AcGeVector3d::kZAxis;
    double m_ecsRotation = 0;
};

class AcDbCircle : public AcDbCurve {
public:
    ACRX_DECLARE_MEMBERS(AcDbCircle);
    AcDbCircle() = default;
    AcDbCircle(const AcGePoint3d& center, const AcGeVector3d& normal, double radius);
    AcRxObject* clone() const override { return new AcDbCircle(*this); }

    AcGePoint3d center() const;
    Acad::ErrorStatus setCenter(const AcGePoint3d& center);
    double radius() const;
    // The radius must be positive.
    Acad::ErrorStatus setRadius(double radius);
    AcGeVector3d normal() const;
    Acad::ErrorStatus setNormal(const AcGeVector3d& normal);
    double thickness() const;
    Acad::ErrorStatus setThickness(double thickness);

    bool isClosed() const override { return true; }
    bool isPeriodic() const override { return true; }
    // Only uniform scaling keeps a circle a circle; other transforms give eNotApplicable.
    Acad::ErrorStatus transformBy(const AcGeMatrix3d& xform) override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;
    void kzGetPath(kz::CurvePath& path) const override;

private:
    AcGePoint3d m_center;
    double m_radius = 0;
    AcGeVector3d m_normal = AcGeVector3d::kZAxis;
    double m_thickness = 0;
};

// Angles run counter-clockwise around the normal from the x axis of the arc's plane
// (the world x axis for the default normal); the arc goes from the start angle to the
// end angle counter-clockwise.
class AcDbArc : public AcDbCurve {
public:
    ACRX_DECLARE_MEMBERS(AcDbArc);
    AcDbArc() = default;
    AcDbArc(const AcGePoint3d& center, double radius, double startAngle, double endAngle);
    AcDbArc(const AcGePoint3d& center, const AcGeVector3d& normal, double radius, double startAngle,
            double endAngle);
    AcRxObject* clone() const override { return new AcDbArc(*this); }

    AcGePoint3d center() const;
    Acad::ErrorStatus setCenter(const AcGePoint3d& center);
    double radius() const;
    Acad::ErrorStatus setRadius(double radius);
    double startAngle() const;
    Acad::ErrorStatus setStartAngle(double angle);
    double endAngle() const;
    Acad::ErrorStatus setEndAngle(double angle);
    AcGeVector3d normal() const;
    Acad::ErrorStatus setNormal(const AcGeVector3d& normal);
    double thickness() const;
    Acad::ErrorStatus setThickness(double thickness);

    Acad::ErrorStatus transformBy(const AcGeMatrix3d& xform) override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;
    void kzGetPath(kz::CurvePath& path) const override;

private:
    AcGePoint3d m_center;
    double m_radius = 0;
    double m_startAngle = 0, m_endAngle = 0;
    AcGeVector3d m_normal = AcGeVector3d::kZAxis;
    double m_thickness = 0;
};

// A filled triangle or quadrilateral (filled arrowheads are drawn with these). Corners
// go 0, 1, 3, 2 around the outline, as the host orders them; a triangle repeats its
// third corner as the fourth.
class AcDbSolid : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(AcDbSolid);
    AcDbSolid() = default;
    AcDbSolid(const AcGePoint3d& pt0, const AcGePoint3d& pt1, const AcGePoint3d& pt2,
              const AcGePoint3d& pt3);
    AcDbSolid(const AcGePoint3d& pt0, const AcGePoint3d& pt1, const AcGePoint3d& pt2);
    AcRxObject* clone() const override { return new AcDbSolid(*this); }

    // Index 0 to 3; eInvalidIndex otherwise.
    Acad::ErrorStatus getPointAt(Adesk::UInt16 index, AcGePoint3d& point) const;
    Acad::ErrorStatus setPointAt(Adesk::UInt16 index, const AcGePoint3d& point);
    double thickness() const;
    Acad::ErrorStatus setThickness(double thickness);
    AcGeVector3d normal() const;
    Acad::ErrorStatus setNormal(const AcGeVector3d& normal);

    Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;
    Acad::ErrorStatus transformBy(const AcGeMatrix3d& xform) override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;

private:
    AcGePoint3d m_points[4];
    double m_thickness = 0;
    AcGeVector3d m_normal = AcGeVector3d::kZAxis;
};

// A single line of text. The position is where the baseline starts (left-aligned
// text); for other alignments the alignment point is the one the text keeps, and the
// position follows from it when the text is drawn.
class AcDbText : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(AcDbText);
    AcDbText() = default;
    AcDbText(const AcGePoint3d& position, const ACHAR* text, AcDbObjectId style = AcDbObjectId(),
             double height = 0, double rotation = 0);
    AcRxObject* clone() const override { return new AcDbText(*this); }

    AcGePoint3d position() const;
    Acad::ErrorStatus setPosition(const AcGePoint3d& position);
    AcGePoint3d alignmentPoint() const;
    Acad::ErrorStatus setAlignmentPoint(const AcGePoint3d& point);
    // Left and baseline: the alignment point is not used.
    bool isDefaultAlignment() const;
    double height() const;
    Acad::ErrorStatus setHeight(double height); // positive
    double rotation() const;
    Acad::ErrorStatus setRotation(double rotation);
    double widthFactor() const;
    Acad::ErrorStatus setWidthFactor(double factor); // positive
    double oblique() const;
    Acad::ErrorStatus setOblique(double angle);
    // A new copy of the text: free it with acutDelString.
    ACHAR* textString() const;
    const ACHAR* textStringConst() const;
    Acad::ErrorStatus setTextString(const ACHAR* text);
    AcDbObjectId textStyle() const;
    Acad::ErrorStatus setTextStyle(AcDbObjectId style);
    AcDb::TextHorzMode horizontalMode() const;
    Acad::ErrorStatus setHorizontalMode(AcDb::TextHorzMode mode);
    AcDb::TextVertMode verticalMode() const;
    Acad::ErrorStatus setVerticalMode(AcDb::TextVertMode mode);
    bool isMirroredInX() const;
    Acad::ErrorStatus mirroredInX(bool mirrored);
    bool isMirroredInY() const;
    Acad::ErrorStatus mirroredInY(bool mirrored);
    double thickness() const;
    Acad::ErrorStatus setThickness(double thickness);
    AcGeVector3d normal() const;
    Acad::ErrorStatus setNormal(const AcGeVector3d& normal);

    // An estimate: each character is height x width factor wide, laid from the
    // position along the rotation.
    Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;
    Acad::ErrorStatus transformBy(const AcGeMatrix3d& xform) override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;

protected:
    // The text's own fields, for the attribute classes that write them under their
    // own markers.
    void readTextField(AcDbDxfFiler* filer, AcGePoint3d& position, AcGePoint3d& alignment);
    void finishTextFields(const AcGePoint3d& position, const AcGePoint3d& alignment);
    void writeTextFields(AcDbDxfFiler* filer) const;
    void kzSetVerticalMode(AcDb::TextVertMode mode) { m_vertical = mode; }

private:
    AcGePoint3d m_position, m_alignment;
    double m_height = 0;
    double m_rotation = 0;
    double m_widthFactor = 1.0;
    double m_oblique = 0;
    std::wstring m_text;
    AcDbObjectId m_style;
    int m_generation = 0; // 2: mirrored in x, 4: mirrored in y
    AcDb::TextHorzMode m_horizontal = AcDb::kTextLeft;
    AcDb::TextVertMode m_vertical = AcDb::kTextBase;
    double m_thickness = 0;
    AcGeVector3d m_normal = AcGeVector3d::kZAxis;
};

// The template of an attribute in a block definition.
class AcDbAttributeDefinition : public AcDbText {
public:
    ACRX_DECLARE_MEMBERS(AcDbAttributeDefinition);
    AcDbAttributeDefinition() = default;
    AcDbAttributeDefinition(const AcGePoint3d& position, const ACHAR* text, const ACHAR* tag,
                            const ACHAR* prompt, AcDbObjectId style = AcDbObjectId());
    AcRxObject* clone() const override { return new AcDbAttributeDefinition(*this); }

    // New copies: free them with acutDelString.
    ACHAR* prompt() const;
    ACHAR* tag() const;
    const ACHAR* promptConst() const;
    const ACHAR* tagConst() const;
    Acad::ErrorStatus setPrompt(const ACHAR* prompt);
    Acad::ErrorStatus setTag(const ACHAR* tag);
    bool isInvisible() const;
    Acad::ErrorStatus setInvisible(bool invisible);
    bool isConstant() const;
    Acad::ErrorStatus setConstant(bool constant);
    bool isVerifiable() const;
    Acad::ErrorStatus setVerifiable(bool verifiable);
    bool isPreset() const;
    Acad::ErrorStatus setPreset(bool preset);
    Adesk::UInt16 fieldLength() const;
    Acad::ErrorStatus setFieldLength(Adesk::UInt16 length);

    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;

private:
    std::wstring m_tag, m_prompt;
    int m_flags = 0; // 1 invisible, 2 constant, 4 verifiable, 8 preset
    int m_fieldLength = 0;
};

// An attribute owned by a block reference: a tagged text.
class AcDbAttribute : public AcDbText {
public:
    ACRX_DECLARE_MEMBERS(AcDbAttribute);
    AcDbAttribute() = default;
    AcDbAttribute(const AcGePoint3d& position, const ACHAR* text, const ACHAR* tag,
                  AcDbObjectId style = AcDbObjectId());
    AcRxObject* clone() const override { return new AcDbAttribute(*this); }

    // A new copy: free it with acutDelString.
    ACHAR* tag() const;
    const ACHAR* tagConst() const;
    Acad::ErrorStatus setTag(const ACHAR* tag);
    bool isInvisible() const;
    Acad::ErrorStatus setInvisible(bool invisible);
    bool isConstant() const;
    bool isVerifiable() const;
    bool isPreset() const;
    Adesk::UInt16 fieldLength() const;
    Acad::ErrorStatus setFieldLength(Adesk::UInt16 length);
    // Takes the definition's text properties, tag and flags, placed by the block
    // reference's transform.
    Acad::ErrorStatus setAttributeFromBlock(const AcDbAttributeDefinition* definition,
                                            const AcGeMatrix3d& blockTransform);

    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;

private:
    std::wstring m_tag;
    int m_flags = 0; // as the definition's
    int m_fieldLength = 0;
};

// An insertion of a block: the block's entities placed by blockTransform(), and the
// attributes the reference owns.
class AcDbBlockReference : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(AcDbBlockReference);
    AcDbBlockReference();
    AcDbBlockReference(const AcGePoint3d& position, AcDbObjectId blockTableRecord);
    AcDbBlockReference(const AcDbBlockReference& other); // copies the attributes too
    ~AcDbBlockReference() override;
    AcRxObject* clone() const override { return new AcDbBlockReference(*this); }

    AcDbObjectId blockTableRecord() const;
    Acad::ErrorStatus setBlockTableRecord(AcDbObjectId blockTableRecord);
    AcGePoint3d position() const;
    Acad::ErrorStatus setPosition(const AcGePoint3d& position);
    AcGeScale3d scaleFactors() const;
    // Zero factors are refused (eInvalidInput).
    Acad::ErrorStatus setScaleFactors(const AcGeScale3d& scale);
    double rotation() const;
    Acad::ErrorStatus setRotation(double rotation);
    AcGeVector3d normal() const;
    Acad::ErrorStatus setNormal(const AcGeVector3d& normal);
    // Block coordinates to world coordinates: the block's origin moved to the position,
    // scaled, rotated around the normal and set in the plane of the normal.
    AcGeMatrix3d blockTransform() const;

    // Attributes. A reference in a database adds the attribute to it (left open for
    // write, as appendAcDbEntity does); a new reference keeps it and adds it with
    // itself.
    Acad::ErrorStatus appendAttribute(AcDbAttribute* attribute);
    Acad::ErrorStatus appendAttribute(AcDbObjectId& attributeId, AcDbAttribute* attribute);
    // A new iterator over the attributes; the caller deletes it.
    AcDbObjectIterator* attributeIterator() const;
    // Opens one of this reference's attributes (eInvalidInput for any other id).
    Acad::ErrorStatus openAttribute(AcDbAttribute*& attribute, AcDbObjectId id, AcDb::OpenMode mode,
                                    bool openErased = false);

    // The block's entities placed by blockTransform(), and the attributes.
    Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;
    Acad::ErrorStatus transformBy(const AcGeMatrix3d& xform) override;
    Acad::ErrorStatus setOwnerId(AcDbObjectId ownerId) override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;
    std::vector<AcDbObjectId>* kzSubentities() override;
    AcDbObjectId* kzSequenceEnd() override;
    // The MINSERT array as read (1 column and 1 row for a plain insert).
    int kzColumns() const { return m_columns; }
    int kzRows() const { return m_rows; }

protected:
    Acad::ErrorStatus subErase(bool erasing) override;

private:
    AcDbObjectId m_blockId;
    std::wstring m_blockName; // as read, until the block is found
    AcGePoint3d m_position;
    AcGeScale3d m_scale;
    double m_rotation = 0;
    AcGeVector3d m_normal = AcGeVector3d::kZAxis;
    int m_columns = 1, m_rows = 1;
    double m_columnSpacing = 0, m_rowSpacing = 0;
    bool m_minsert = false; // read with the AcDbMInsertBlock marker
    std::unique_ptr<kz::SubentityList> m_attributes;
};

// A vertex of an old-style polyline.
class AcDbVertex : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(AcDbVertex);
};

// A vertex of a 2D polyline. Its position is in the polyline's plane: x and y there,
// the polyline's elevation applying (AcDb2dPolyline::vertexPosition gives the world
// point).
class AcDb2dVertex : public AcDbVertex {
public:
    ACRX_DECLARE_MEMBERS(AcDb2dVertex);
    AcDb2dVertex() = default;
    explicit AcDb2dVertex(const AcGePoint3d& position, double bulge = 0, double startWidth = 0,
                          double endWidth = 0, double tangent = 0);
    AcRxObject* clone() const override { return new AcDb2dVertex(*this); }

    AcDb::Vertex2dType vertexType() const;
    AcGePoint3d position() const;
    Acad::ErrorStatus setPosition(const AcGePoint3d& position);
    double bulge() const;
    Acad::ErrorStatus setBulge(double bulge);
    double startWidth() const;
    Acad::ErrorStatus setStartWidth(double width);
    double endWidth() const;
    Acad::ErrorStatus setEndWidth(double width);
    bool isTangentUsed() const;
    double tangent() const;
    Acad::ErrorStatus setTangent(double tangent);

    // Moves the position as a point of the plane (the polyline transforms its vertices
    // through its own plane).
    Acad::ErrorStatus transformBy(const AcGeMatrix3d& xform) override;
    Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;
    void kzSetPosition(const AcGePoint3d& position) { m_position = position; }
    void kzScaleWidths(double factor);

private:
    AcGePoint3d m_position;
    double m_bulge = 0;
    double m_startWidth = 0, m_endWidth = 0;
    double m_tangent = 0;
    int m_flags = 0; // 1 extra fit vertex, 2 tangent used, 8 curve fit, 16 spline frame
};

// A vertex of a 3D polyline, in world coordinates.
class AcDb3dPolylineVertex : public AcDbVertex {
public:
    ACRX_DECLARE_MEMBERS(AcDb3dPolylineVertex);
    AcDb3dPolylineVertex() = default;
    explicit AcDb3dPolylineVertex(const AcGePoint3d& position);
    AcRxObject* clone() const override { return new AcDb3dPolylineVertex(*this); }

    AcDb::Vertex3dType vertexType() const;
    AcGePoint3d position() const;
    Acad::ErrorStatus setPosition(const AcGePoint3d& position);

    Acad::ErrorStatus transformBy(const AcGeMatrix3d& xform) override;
    Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;
    void kzSetPosition(const AcGePoint3d& position) { m_position = position; }

private:
    AcGePoint3d m_position;
    int m_flags = 32; // 32: a 3D polyline's vertex; 8 spline fit, 16 spline frame
};

// An old-style 2D polyline: its vertices are sub-entities (AcDb2dVertex) that DXF
// files write after it, closed by a SEQEND.
class AcDb2dPolyline : public AcDbCurve {
public:
    ACRX_DECLARE_MEMBERS(AcDb2dPolyline);
    AcDb2dPolyline();
    // Vertices at the points' x and y (z is ignored: the elevation applies), with the
    // bulges given for each (none: straight).
    AcDb2dPolyline(AcDb::Poly2dType type, const AcGePoint3dArray& vertices, double elevation = 0,
                   bool closed = false, double defStartWidth = 0, double defEndWidth = 0,
                   const AcArray<double>* bulges = nullptr);
    AcDb2dPolyline(const AcDb2dPolyline& other); // copies the vertices too
    ~AcDb2dPolyline() override;
    AcRxObject* clone() const override { return new AcDb2dPolyline(*this); }

    AcDb::Poly2dType polyType() const;
    Acad::ErrorStatus setPolyType(AcDb::Poly2dType type);
    bool isClosed() const override;
    Acad::ErrorStatus makeClosed();
    Acad::ErrorStatus makeOpen();
    double defaultStartWidth() const;
    Acad::ErrorStatus setDefaultStartWidth(double width);
    double defaultEndWidth() const;
    Acad::ErrorStatus setDefaultEndWidth(double width);
    double elevation() const;
    Acad::ErrorStatus setElevation(double elevation);
    double thickness() const;
    Acad::ErrorStatus setThickness(double thickness);
    AcGeVector3d normal() const;
    Acad::ErrorStatus setNormal(const AcGeVector3d& normal);

    // A polyline in a database adds the vertex to it (left open for write); a new one
    // keeps it and adds it with itself.
    Acad::ErrorStatus appendVertex(AcDb2dVertex* vertex);
    Acad::ErrorStatus appendVertex(AcDbObjectId& vertexId, AcDb2dVertex* vertex);
    // A new iterator over the vertices; the caller deletes it.
    AcDbObjectIterator* vertexIterator() const;
    // The vertex's world position in this polyline's plane and elevation.
    AcGePoint3d vertexPosition(const AcDb2dVertex& vertex) const;

    Acad::ErrorStatus transformBy(const AcGeMatrix3d& xform) override;
    Acad::ErrorStatus setOwnerId(AcDbObjectId ownerId) override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;
    std::vector<AcDbObjectId>* kzSubentities() override;
    AcDbObjectId* kzSequenceEnd() override;
    void kzGetPath(kz::CurvePath& path) const override;

protected:
    Acad::ErrorStatus subErase(bool erasing) override;

private:
    int m_flags = 0; // 1 closed, 2 curve fit, 4 spline fit, 128 linetype generation
    AcDb::Poly2dType m_type = AcDb::k2dSimplePoly;
    double m_defaultStartWidth = 0, m_defaultEndWidth = 0;
    double m_elevation = 0;
    double m_thickness = 0;
    AcGeVector3d m_normal = AcGeVector3d::kZAxis;
    std::unique_ptr<kz::SubentityList> m_vertices;
};

// An old-style 3D polyline with AcDb3dPolylineVertex sub-entities.
class AcDb3dPolyline : public AcDbCurve {
public:
    ACRX_DECLARE_MEMBERS(AcDb3dPolyline);
    AcDb3dPolyline();
    AcDb3dPolyline(AcDb::Poly3dType type, const AcGePoint3dArray& vertices, bool closed = false);
    AcDb3dPolyline(const AcDb3dPolyline& other); // copies the vertices too
    ~AcDb3dPolyline() override;
    AcRxObject* clone() const override { return new AcDb3dPolyline(*this); }

    AcDb::Poly3dType polyType() const;
    Acad::ErrorStatus setPolyType(AcDb::Poly3dType type);
    bool isClosed() const override;
    Acad::ErrorStatus makeClosed();
    Acad::ErrorStatus makeOpen();

    Acad::ErrorStatus appendVertex(AcDb3dPolylineVertex* vertex);
    Acad::ErrorStatus appendVertex(AcDbObjectId& vertexId, AcDb3dPolylineVertex* vertex);
    AcDbObjectIterator* vertexIterator() const;

    Acad::ErrorStatus transformBy(const AcGeMatrix3d& xform) override;
    Acad::ErrorStatus setOwnerId(AcDbObjectId ownerId) override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;
    std::vector<AcDbObjectId>* kzSubentities() override;
    AcDbObjectId* kzSequenceEnd() override;
    void kzGetPath(kz::CurvePath& path) const override;

protected:
    Acad::ErrorStatus subErase(bool erasing) override;

private:
    int m_flags = 8; // 8: a 3D polyline; 1 closed, 4 spline fit
    AcDb::Poly3dType m_type = AcDb::k3dSimplePoly;
    std::unique_ptr<kz::SubentityList> m_vertices;
};
