// Field helpers shared by the entity classes' DXF readers and writers, and the
// conversions between world coordinates and an entity's own plane (its object
// coordinate system, given by its normal).
#pragma once

#include "dbfiler.h"
#include "gemat3d.h"
#include "gepnt3d.h"
#include "gevec3d.h"

#include <cmath>

namespace kz {

constexpr double kPi = 3.14159265358979323846;

inline double toDegrees(double radians) {
    return radians * 180.0 / kPi;
}
inline double toRadians(double degrees) {
    return degrees * kPi / 180.0;
}

// Takes the x, y or z of a point or vector whose x has group code base (10: 10, 20,
// 30); false when the current tag is none of the three.
inline bool readCoordinate(AcDbDxfFiler* filer, int base, double xyz[3]) {
    int code = filer->code();
    for (int i = 0; i < 3; ++i) {
        if (code == base + 10 * i) {
            xyz[i] = filer->asDouble();
            return true;
        }
    }
    return false;
}

// Takes the current tag as a value of an enumeration whose values run from first to
// last. A number outside is no value of it (a damaged file): the tag is kept as read
// and false returned.
template <class Enum> bool readEnum(AcDbDxfFiler* filer, Enum first, Enum last, Enum& out) {
    const int v = filer->asInt();
    if (v < static_cast<int>(first) || v > static_cast<int>(last)) {
        filer->keepItem();
        return false;
    }
    out = static_cast<Enum>(v);
    return true;
}

inline bool readPoint(AcDbDxfFiler* filer, int base, AcGePoint3d& p) {
    return readCoordinate(filer, base, reinterpret_cast<double*>(&p));
}

inline bool readVector(AcDbDxfFiler* filer, int base, AcGeVector3d& v) {
    return readCoordinate(filer, base, reinterpret_cast<double*>(&v));
}

inline bool isDefaultNormal(const AcGeVector3d& n) {
    return n.x == 0 && n.y == 0 && n.z == 1;
}

// A normal read from a file: unit length; the z axis when it has no length.
// A direction read from a file as a unit vector. One that is unit length already (as
// every saved one is) is kept to the bit: normalizing it again can change its last
// digit, and then each save of the drawing would write another number.
inline AcGeVector3d unitAsRead(const AcGeVector3d& v) {
    return std::fabs(v.length() - 1.0) <= 1e-12 ? v : v.normal();
}

inline AcGeVector3d cleanNormal(const AcGeVector3d& n) {
    return n.isZeroLength() ? AcGeVector3d::kZAxis : unitAsRead(n);
}

// Writes the extrusion direction (210) unless it is the default.
inline void writeNormal(AcDbDxfFiler* filer, const AcGeVector3d& n) {
    if (!isDefaultNormal(n))
        filer->writeVector3d(210, n);
}

// Object coordinates of the plane with this normal to world coordinates, and back.
// The default normal's are the world's, exactly.
inline AcGePoint3d ocsToWorld(const AcGePoint3d& p, const AcGeVector3d& normal) {
    return isDefaultNormal(normal) ? p : AcGeMatrix3d::planeToWorld(normal) * p;
}
inline AcGePoint3d worldToOcs(const AcGePoint3d& p, const AcGeVector3d& normal) {
    return isDefaultNormal(normal) ? p : AcGeMatrix3d::worldToPlane(normal) * p;
}
// The x axis of the plane with this normal, in world coordinates.
inline AcGeVector3d ocsXAxis(const AcGeVector3d& normal) {
    AcGePoint3d o;
    AcGeVector3d x, y, z;
    AcGeMatrix3d::planeToWorld(normal).getCoordSystem(o, x, y, z);
    return x;
}

// The angle of a world direction in the plane with this normal, 0 to 2 pi.
inline double angleInPlane(const AcGeVector3d& direction, const AcGeVector3d& normal) {
    AcGeVector3d local = AcGeMatrix3d::worldToPlane(normal) * direction;
    double a = std::atan2(local.y, local.x);
    return a < 0 ? a + 2 * kPi : a;
}

// An angle normalised to 0 to 2 pi.
inline double normalizeAngle(double a) {
    a = std::fmod(a, 2 * kPi);
    return a < 0 ? a + 2 * kPi : a;
}

// Where the plane with normal n goes under a transform: the new normal, from the images
// of the plane's axes (so a mirror turns it over).
inline AcGeVector3d transformNormal(const AcGeMatrix3d& m, const AcGeVector3d& n) {
    AcGePoint3d o;
    AcGeVector3d x, y, z;
    AcGeMatrix3d::planeToWorld(n).getCoordSystem(o, x, y, z);
    AcGeVector3d nx = m * x, ny = m * y;
    AcGeVector3d result = nx.crossProduct(ny);
    return result.isZeroLength() ? n : result.normal();
}

} // namespace kz
