// Random routes for comparing the fast forms of the placement walks with the walks
// themselves: runs of plain lines, straight elements, fittings and ducts that go
// horizontally, vertically or obliquely, joined or with gaps, on a coarse grid so that
// pieces meet, touch and lie on one another exactly.
#pragma once

#include "create/dim_data.h"

#include <cmath>
#include <numbers>
#include <random>
#include <vector>

struct RoutePiece {
    int kind = -1; // -1 line, 1 straight element, 2 fitting (one point), 100 duct
    AcGePoint3d a, b;
    double width = 0.0;
};

class RandomRoute {
public:
    explicit RandomRoute(unsigned seed) : m_rng(seed) {}

    int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(m_rng); }
    double Real(double lo, double hi) {
        return std::uniform_real_distribution<double>(lo, hi)(m_rng);
    }
    bool Chance(double p) { return Real(0.0, 1.0) < p; }

    // A route of count pieces; kinds lists the kinds to draw from.
    std::vector<RoutePiece> Make(int count, const std::vector<int>& kinds) {
        std::vector<RoutePiece> route;
        AcGePoint3d at(Int(-5, 5) * 100.0, Int(-5, 5) * 100.0, 0.0);
        double degrees = Direction();
        for (int i = 0; i < count; ++i) {
            if (Chance(0.2))
                degrees = Direction();
            double r = degrees * std::numbers::pi / 180.0;
            AcGeVector3d along(std::cos(r), std::sin(r), 0.0);
            if (Chance(0.4)) // a gap before the piece
                at += along * (Int(1, 6) * 25.0);
            RoutePiece s;
            s.kind = kinds[static_cast<std::size_t>(Int(0, static_cast<int>(kinds.size()) - 1))];
            s.a = at;
            s.b = at;
            if (s.kind != 2) {
                s.b = at + along * (Int(1, 8) * 50.0);
                s.width = Int(1, 4) * 50.0;
                at = s.b;
                if (Chance(0.15)) // drawn the other way round
                    std::swap(s.a, s.b);
            }
            route.push_back(s);
        }
        return route;
    }

    static void Load(CDimData& job, const std::vector<RoutePiece>& route) {
        job.AllocateSegments(static_cast<int>(route.size()));
        for (std::size_t i = 0; i < route.size(); ++i) {
            DimSegment& d = job.segments[i];
            d.code = route[i].kind == -1 ? -1 : 1;
            d.kind = route[i].kind;
            d.width = route[i].width;
            d.points.append(route[i].a);
            if (route[i].kind != 2)
                d.points.append(route[i].b);
        }
    }

private:
    // Mostly along the axes, some whole-degree and some arbitrary slopes.
    double Direction() {
        switch (Int(0, 5)) {
        case 0:
        case 1:
            return Int(0, 3) * 90.0;
        case 2:
            return Int(0, 7) * 45.0;
        case 3:
            return Int(0, 359);
        default:
            return Real(0.0, 360.0);
        }
    }

    std::mt19937 m_rng;
};
