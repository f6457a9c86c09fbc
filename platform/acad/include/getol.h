// AcGeTol: the two tolerances of geometric comparisons. Two points are equal when
// their distance is at most equalPoint(); two vectors are equal when their difference
// is at most equalVector() long, and parallel when their unit vectors' cross product
// is at most equalVector() long.
#pragma once

class AcGeTol {
public:
    AcGeTol() = default;

    double equalPoint() const { return mEqualPoint; }
    double equalVector() const { return mEqualVector; }
    void setEqualPoint(double value) { mEqualPoint = value; }
    void setEqualVector(double value) { mEqualVector = value; }

private:
    double mEqualPoint = 1.0e-10;
    double mEqualVector = 1.0e-10;
};
