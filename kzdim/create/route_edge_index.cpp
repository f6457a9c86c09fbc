#include "create/route_edge_index.h"

#include "create/dim_data.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kLeafSize = 4;
// Twice the depth of a tree over 2^31 edges, and more: every inner node on the path
// leaves at most one sibling on the stack.
constexpr std::size_t kStackSize = 128;

bool Finite(const AcGePoint3d& p) {
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

// Bit for bit, not within the point tolerance as AcGePoint3d's == compares.
bool Identical(const AcGePoint3d& a, const AcGePoint3d& b) {
    return a.x == b.x && a.y == b.y && a.z == b.z;
}

} // namespace

RouteEdgeIndex::RouteEdgeIndex(const CDimData& job) {
    for (int i = 0; i < job.segmentCount; ++i) {
        const DimSegment& seg = job.segments[i];
        Source source{seg.kind, seg.width, seg.points.length() >= 2, {}, {}};
        if (source.walked) {
            source.p0 = seg.points[0];
            source.p1 = seg.points[1];
        }
        m_sources.push_back(source);
        RouteEdge edges[2];
        int n = SegmentEdges(seg, edges);
        for (int k = 0; k < n; ++k)
            m_edges.push_back(edges[k]);
    }
    for (const RouteEdge& e : m_edges) {
        m_finite = m_finite && Finite(e.start) && Finite(e.end);
        Box b{std::min(e.start.x, e.end.x), std::min(e.start.y, e.end.y),
              std::max(e.start.x, e.end.x), std::max(e.start.y, e.end.y)};
        m_boxes.push_back(b);
        m_magnitude = std::max(
            {m_magnitude, std::fabs(b.x0), std::fabs(b.y0), std::fabs(b.x1), std::fabs(b.y1)});
    }
    if (!m_finite || m_edges.empty())
        return;
    m_order.resize(m_edges.size());
    for (std::size_t i = 0; i < m_order.size(); ++i)
        m_order[i] = static_cast<int>(i);
    m_nodes.reserve(2 * m_edges.size() / kLeafSize + 2);
    m_nodes.emplace_back();
    Build(0, 0, static_cast<int>(m_order.size()));
}

bool RouteEdgeIndex::Describes(const CDimData& job) const {
    if (static_cast<int>(m_sources.size()) != job.segmentCount)
        return false;
    for (int i = 0; i < job.segmentCount; ++i) {
        const DimSegment& seg = job.segments[i];
        const Source& s = m_sources[static_cast<std::size_t>(i)];
        bool walked = seg.points.length() >= 2;
        if (s.kind != seg.kind || s.width != seg.width || s.walked != walked)
            return false;
        if (walked && (!Identical(s.p0, seg.points[0]) || !Identical(s.p1, seg.points[1])))
            return false;
    }
    return true;
}

// Node gets the box of the edges m_order[begin, end); more than a leaf's worth are
// split at the median of their box centres along the longer side of the box.
void RouteEdgeIndex::Build(std::size_t node, int begin, int end) {
    auto boxAt = [&](int i) -> const Box& {
        return m_boxes[static_cast<std::size_t>(m_order[static_cast<std::size_t>(i)])];
    };
    Box box = boxAt(begin);
    for (int i = begin + 1; i < end; ++i) {
        const Box& b = boxAt(i);
        box = Box{std::min(box.x0, b.x0), std::min(box.y0, b.y0), std::max(box.x1, b.x1),
                  std::max(box.y1, b.y1)};
    }
    m_nodes[node].box = box;
    if (end - begin <= kLeafSize) {
        m_nodes[node].first = begin;
        m_nodes[node].count = end - begin;
        return;
    }
    bool alongX = box.x1 - box.x0 >= box.y1 - box.y0;
    auto centre = [&](int edge) {
        const Box& b = m_boxes[static_cast<std::size_t>(edge)];
        return alongX ? b.x0 + b.x1 : b.y0 + b.y1;
    };
    int mid = begin + (end - begin) / 2;
    std::nth_element(m_order.begin() + begin, m_order.begin() + mid, m_order.begin() + end,
                     [&](int a, int b) { return centre(a) < centre(b); });
    std::size_t children = m_nodes.size();
    m_nodes[node].first = static_cast<int>(children);
    m_nodes.emplace_back();
    m_nodes.emplace_back();
    Build(children, begin, mid);
    Build(children + 1, mid, end);
}

// The walk over every edge, for coordinates the boxes cannot order.
void RouteEdgeIndex::Walk(AcGePoint3d& origin, const AcGePoint3d& foot) const {
    for (const RouteEdge& e : m_edges)
        if (TrimAlongEdge(e, origin, foot))
            return;
}

void RouteEdgeIndex::Trim(AcGePoint3d& origin, const AcGePoint3d& foot) const {
    if (m_nodes.empty() || !Finite(origin) || !Finite(foot)) {
        Walk(origin, foot);
        return;
    }
    // An edge stops the walk only when the origin or the foot lies on it or both its
    // ends lie on the extension line, all within the point tolerance; its box then
    // meets the extension line's box grown by that tolerance. The extra margin covers
    // the rounding of the distances.
    double magnitude = std::max({m_magnitude, std::fabs(origin.x), std::fabs(origin.y),
                                 std::fabs(foot.x), std::fabs(foot.y)});
    double margin = AcGeContext::gTol.equalPoint() * (1.0 + 1e-6) + 1e-9 * (1.0 + magnitude);
    Box query{std::min(origin.x, foot.x) - margin, std::min(origin.y, foot.y) - margin,
              std::max(origin.x, foot.x) + margin, std::max(origin.y, foot.y) + margin};
    auto meets = [&](const Box& b) {
        return b.x0 <= query.x1 && b.x1 >= query.x0 && b.y0 <= query.y1 && b.y1 >= query.y0;
    };

    // The edges near the extension line, then the walk over them in walk order. The tree
    // is split at medians, so its depth stays below the stack's size.
    thread_local std::vector<int> nearEdges;
    std::vector<int>& near = nearEdges;
    near.clear();
    std::size_t stack[kStackSize];
    std::size_t top = 0;
    stack[top++] = 0;
    while (top > 0) {
        const Node& n = m_nodes[stack[--top]];
        if (!meets(n.box))
            continue;
        if (n.count == 0) {
            stack[top++] = static_cast<std::size_t>(n.first);
            stack[top++] = static_cast<std::size_t>(n.first) + 1;
            continue;
        }
        for (int i = n.first; i < n.first + n.count; ++i) {
            int edge = m_order[static_cast<std::size_t>(i)];
            if (meets(m_boxes[static_cast<std::size_t>(edge)]))
                near.push_back(edge);
        }
    }
    if (near.size() > 1)
        std::sort(near.begin(), near.end());
    for (int edge : near)
        if (TrimAlongEdge(m_edges[static_cast<std::size_t>(edge)], origin, foot))
            return;
}
