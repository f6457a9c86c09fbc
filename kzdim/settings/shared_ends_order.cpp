// SuppressSharedEndsInOrder: the shared-end rule over a whole list without comparing
// every dimension with every earlier one.
//
// A new dimension's end P matches an earlier extension-line end F with direction a when
// the direction from P to F, in whole degrees and folded, is a: F lies in the double
// wedge of half-angle 0.5 degrees around the direction a through P. In coordinates s
// along a and t across it, with k the tangent of the half-angle, the forward wedge is
// the quadrant t - k s <= that of P, t + k s >= that of P, and the backward wedge the
// opposite quadrant. The ends are kept per direction a in a segment tree ordered by
// t - k s that knows the largest and smallest t + k s below each node, so the ends in
// a wedge are found without looking at the others. The wedge is taken slightly wider
// than the rounding allows and every end found is tested with the rule itself, so the
// result is the rule's, to the degree.
#include "create/dim_data.h"
#include "settings/dim_lists.h"
#include "settings/shared_ends.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <numbers>
#include <vector>

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

// One extension-line end of an earlier dimension, in the frame of its direction.
struct End {
    double w1 = 0.0; // t - k s
    double w2 = 0.0; // t + k s
    AcGePoint3d f;
    int owner = 0; // position of the dimension in the list
};

// The ends of one direction that the first or the second end of new dimensions is
// matched against; an end is found only after it was switched on.
class WedgeTree {
public:
    void Add(const End& end) { m_ends.push_back(end); }

    void Build() {
        std::sort(m_ends.begin(), m_ends.end(),
                  [](const End& a, const End& b) { return a.w1 < b.w1; });
        m_size = 1;
        while (m_size < m_ends.size())
            m_size *= 2;
        m_max.assign(2 * m_size, -kInf);
        m_min.assign(2 * m_size, kInf);
        for (std::size_t i = 0; i < m_ends.size(); ++i)
            m_byOwner.emplace(m_ends[i].owner, i);
    }

    void SwitchOn(int owner) {
        auto range = m_byOwner.equal_range(owner);
        for (auto it = range.first; it != range.second; ++it) {
            std::size_t node = m_size + it->second;
            double w2 = m_ends[it->second].w2;
            while (node >= 1) {
                m_max[node] = std::max(m_max[node], w2);
                m_min[node] = std::min(m_min[node], w2);
                node /= 2;
            }
        }
    }

    // Calls test on the switched-on ends with w1 <= hi1 and w2 >= lo2 (forward) or with
    // w1 >= lo1 and w2 <= hi2 (backward) until it returns true.
    template <class Test>
    bool AnyInWedge(double q1, double q2, double slack, const Test& test) const {
        if (m_ends.empty())
            return false;
        auto w1Less = [](const End& e, double v) { return e.w1 < v; };
        auto upTo = static_cast<std::size_t>(
            std::upper_bound(m_ends.begin(), m_ends.end(), q1 + slack,
                             [](double v, const End& e) { return v < e.w1; }) -
            m_ends.begin());
        if (Forward(1, 0, m_size, upTo, q2 - slack, test))
            return true;
        auto from = static_cast<std::size_t>(
            std::lower_bound(m_ends.begin(), m_ends.end(), q1 - slack, w1Less) - m_ends.begin());
        return Backward(1, 0, m_size, from, q2 + slack, test);
    }

private:
    template <class Test>
    bool Forward(std::size_t node, std::size_t lo, std::size_t hi, std::size_t upTo, double minW2,
                 const Test& test) const {
        if (lo >= upTo || m_max[node] < minW2)
            return false;
        if (hi - lo == 1)
            return test(m_ends[lo]);
        std::size_t mid = (lo + hi) / 2;
        return Forward(2 * node, lo, mid, upTo, minW2, test) ||
               Forward(2 * node + 1, mid, hi, upTo, minW2, test);
    }
    template <class Test>
    bool Backward(std::size_t node, std::size_t lo, std::size_t hi, std::size_t from, double maxW2,
                  const Test& test) const {
        if (hi <= from || m_min[node] > maxW2)
            return false;
        if (hi - lo == 1)
            return test(m_ends[lo]);
        std::size_t mid = (lo + hi) / 2;
        return Backward(2 * node, lo, mid, from, maxW2, test) ||
               Backward(2 * node + 1, mid, hi, from, maxW2, test);
    }

    std::vector<End> m_ends;
    std::size_t m_size = 0;
    std::vector<double> m_max, m_min;
    std::multimap<int, std::size_t> m_byOwner;
};

// The frame of one direction in whole degrees.
struct Frame {
    double c = 1.0, s = 0.0, k = 0.0;
    explicit Frame(int degrees) {
        double r = degrees * std::numbers::pi / 180.0;
        c = std::cos(r);
        s = std::sin(r);
        // Half a degree of rounding and a margin for the error of the angle itself.
        k = std::tan((0.5 + 1e-6) * std::numbers::pi / 180.0);
    }
    void Place(const AcGePoint3d& p, double& w1, double& w2) const {
        double along = c * p.x + s * p.y;
        double across = -s * p.x + c * p.y;
        w1 = across - k * along;
        w2 = across + k * along;
    }
};

// The ends of every earlier dimension for one direction a: the first ends of new
// dimensions are matched against first, the second ends against second.
struct Direction {
    Frame frame;
    WedgeTree first, second;
    explicit Direction(int degrees) : frame(degrees) {}
};

struct Entry {
    AcDbRotatedDimension* dim = nullptr;
    AcGePoint3d p1, p2;
    SharedEndTarget target;
};

bool Finite(const AcGePoint3d& p) {
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

double Magnitude(const AcGePoint3d& p) {
    return std::max(std::fabs(p.x), std::fabs(p.y));
}

void Suppress(AcDbRotatedDimension* dim, bool first, bool second) {
    if (first) {
        dim->setDimse1(true);
        dim->setDimblk1(kNoArrowhead);
    }
    if (second) {
        dim->setDimse2(true);
        dim->setDimblk2(kNoArrowhead);
    }
}

// Every dimension against every earlier one; for coordinates that are not finite.
void SuppressPairwise(const std::vector<Entry>& entries) {
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const Entry& n = entries[i];
        if (!n.dim)
            continue;
        bool first = false, second = false;
        for (std::size_t j = 0; j < i; ++j) {
            const SharedEndTarget& t = entries[j].target;
            if (!entries[j].dim || !t.compared)
                continue;
            if (SharesFirstEnd(t, n.p1))
                first = true;
            else if (SharesSecondEnd(t, n.p2))
                second = true;
        }
        Suppress(n.dim, first, second);
    }
}

} // namespace

void SuppressSharedEndsInOrder(const CDimData& job, CDrag& drag) {
    AcGeVector3d u = ExtensionDirection(job);
    std::vector<Entry> entries(static_cast<std::size_t>(std::max(drag.Length(), 0)));
    bool finite = true;
    double magnitude = 0.0;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        Entry& e = entries[i];
        e.dim = AcDbRotatedDimension::cast(drag.At(static_cast<int>(i), nullptr, nullptr));
        if (!e.dim)
            continue;
        e.p1 = e.dim->xLine1Point();
        e.p2 = e.dim->xLine2Point();
        e.target = SharedEndTargetOf(job, u, *e.dim);
        for (const AcGePoint3d* p : {&e.p1, &e.p2, &e.target.f1, &e.target.f2}) {
            finite = finite && Finite(*p);
            magnitude = std::max(magnitude, Magnitude(*p));
        }
    }
    if (!finite) {
        SuppressPairwise(entries);
        return;
    }
    // Far above the rounding of the coordinates and of the frames, far below a drawing
    // unit.
    double slack = 1e-9 * (1.0 + magnitude);

    std::map<int, Direction> directions;
    auto direction = [&](int a) -> Direction& {
        return directions.try_emplace(a, a).first->second;
    };
    auto add = [&](WedgeTree Direction::*tree, int a, const AcGePoint3d& f, int owner) {
        Direction& d = direction(a);
        End end;
        d.frame.Place(f, end.w1, end.w2);
        end.f = f;
        end.owner = owner;
        (d.*tree).Add(end);
    };
    for (std::size_t j = 0; j < entries.size(); ++j) {
        const SharedEndTarget& t = entries[j].target;
        if (!entries[j].dim || !t.compared)
            continue;
        int owner = static_cast<int>(j);
        // The first end is shared on a1 = (p1, f1), a1 = (p1, f2) or a2 = (p1, f1); the
        // second on any of the four pairs.
        add(&Direction::first, t.a1, t.f1, owner);
        add(&Direction::first, t.a1, t.f2, owner);
        add(&Direction::first, t.a2, t.f1, owner);
        add(&Direction::second, t.a1, t.f1, owner);
        add(&Direction::second, t.a1, t.f2, owner);
        add(&Direction::second, t.a2, t.f1, owner);
        add(&Direction::second, t.a2, t.f2, owner);
    }
    for (auto& [a, d] : directions) {
        d.first.Build();
        d.second.Build();
    }

    for (std::size_t i = 0; i < entries.size(); ++i) {
        const Entry& n = entries[i];
        if (n.dim) {
            bool first = false, second = false;
            for (const auto& [a, d] : directions) {
                int angle = a;
                double q1 = 0.0, q2 = 0.0;
                d.frame.Place(n.p1, q1, q2);
                first = d.first.AnyInWedge(q1, q2, slack, [&](const End& end) {
                    return FoldedAngle(n.p1, end.f) == angle;
                });
                if (first)
                    break;
            }
            // An earlier dimension counts for the second end only when it does not share
            // the first.
            for (const auto& [a, d] : directions) {
                int angle = a;
                double q1 = 0.0, q2 = 0.0;
                d.frame.Place(n.p2, q1, q2);
                second = d.second.AnyInWedge(q1, q2, slack, [&](const End& end) {
                    return FoldedAngle(n.p2, end.f) == angle &&
                           !SharesFirstEnd(entries[static_cast<std::size_t>(end.owner)].target,
                                           n.p1);
                });
                if (second)
                    break;
            }
            Suppress(n.dim, first, second);
        }
        if (n.dim && n.target.compared) {
            for (auto& [a, d] : directions) {
                d.first.SwitchOn(static_cast<int>(i));
                d.second.SwitchOn(static_cast<int>(i));
            }
        }
    }
}
