// AcDbPolyline: the lightweight polyline (LWPOLYLINE). Vertices are 2D points in the
// plane of the normal at the elevation; each carries the bulge of the segment that
// starts at it (tan of a quarter of the arc's included angle, positive
// counter-clockwise) and that segment's start and end widths.
#pragma once

#include "dbcurve.h"
#include "gelnsg3d.h"
#include "gepnt2d.h"

#include <vector>

class AcDbPolyline : public AcDbCurve {
public:
    ACRX_DECLARE_MEMBERS(AcDbPolyline);

    enum SegType { kLine, kArc, kCoincident, kPoint, kEmpty };

    AcDbPolyline() = default;
    explicit AcDbPolyline(unsigned int numVerts); // room for them; none yet
    AcRxObject* clone() const override { return new AcDbPolyline(*this); }

    unsigned int numVerts() const;
    // index may be numVerts() to append. Negative widths mean none of its own.
    Acad::ErrorStatus addVertexAt(unsigned int index, const AcGePoint2d& point, double bulge = 0.0,
                                  double startWidth = -1.0, double endWidth = -1.0);
    Acad::ErrorStatus removeVertexAt(unsigned int index);
    // Removes every vertex (reuse: keep the first numVerts ones).
    Acad::ErrorStatus reset(bool reuse, unsigned int numVerts);

    // The vertex in world coordinates, or in the polyline's plane.
    Acad::ErrorStatus getPointAt(unsigned int index, AcGePoint3d& point) const;
    Acad::ErrorStatus getPointAt(unsigned int index, AcGePoint2d& point) const;
    Acad::ErrorStatus setPointAt(unsigned int index, const AcGePoint2d& point);
    Acad::ErrorStatus getBulgeAt(unsigned int index, double& bulge) const;
    Acad::ErrorStatus setBulgeAt(unsigned int index, double bulge);
    Acad::ErrorStatus getWidthsAt(unsigned int index, double& startWidth, double& endWidth) const;
    Acad::ErrorStatus setWidthsAt(unsigned int index, double startWidth, double endWidth);
    Acad::ErrorStatus getConstantWidth(double& width) const;
    Acad::ErrorStatus setConstantWidth(double width);

    // The segment that starts at the vertex: straight, an arc, of zero length
    // (coincident), the only vertex (point), or none.
    SegType segType(unsigned int index) const;
    // eInvalidIndex when there is no such segment; straight or not, the chord.
    Acad::ErrorStatus getLineSegAt(unsigned int index, AcGeLineSeg3d& segment) const;
    bool isOnlyLines() const;
    bool hasBulges() const;
    bool hasWidth() const;

    bool isClosed() const override;
    void setClosed(bool closed);
    double elevation() const;
    void setElevation(double elevation);
    double thickness() const;
    Acad::ErrorStatus setThickness(double thickness);
    AcGeVector3d normal() const;
    Acad::ErrorStatus setNormal(const AcGeVector3d& normal);
    bool hasPlinegen() const;
    void setPlinegen(bool on);

    // Only transforms that keep the plane's shapes (no uneven scaling within it) apply.
    Acad::ErrorStatus transformBy(const AcGeMatrix3d& xform) override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;
    void kzGetPath(kz::CurvePath& path) const override;

private:
    struct Vertex {
        AcGePoint2d point;
        double bulge = 0;
        double startWidth = 0, endWidth = 0;
        int id = 0; // group 91, kept as read
    };
    bool validIndex(unsigned int index) const { return index < m_vertices.size(); }
    AcGePoint3d toWorld(const AcGePoint2d& p) const;

    std::vector<Vertex> m_vertices;
    bool m_closed = false;
    bool m_plinegen = false;
    double m_constantWidth = 0;
    double m_elevation = 0;
    double m_thickness = 0;
    AcGeVector3d m_normal = AcGeVector3d::kZAxis;
};
