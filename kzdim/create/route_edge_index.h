// The edges of a job's route in a bounding-box tree, so that trimming an extension
// line looks only at the edges near it instead of walking the whole route.
#pragma once

#include "create/placement.h"

#include <vector>

class CDimData;

class RouteEdgeIndex {
public:
    explicit RouteEdgeIndex(const CDimData& job);

    // Whether the index still describes the job's segments (they are sorted, turned
    // and replaced by the builder and the options).
    bool Describes(const CDimData& job) const;
    // Exactly what TrimExtensionOrigin does for the job the index was made from.
    void Trim(AcGePoint3d& origin, const AcGePoint3d& foot) const;

private:
    struct Box {
        double x0, y0, x1, y1;
    };
    struct Node {
        Box box;
        int first = 0; // leaf: range of m_order; inner: child nodes first, first + 1
        int count = 0; // 0 for inner nodes
    };
    // What the edges were made from, per segment.
    struct Source {
        int kind;
        double width;
        bool walked;
        AcGePoint3d p0, p1;
    };

    void Build(std::size_t node, int begin, int end);
    void Walk(AcGePoint3d& origin, const AcGePoint3d& foot) const;

    std::vector<Source> m_sources;
    std::vector<RouteEdge> m_edges; // in walk order
    std::vector<Box> m_boxes;       // per edge
    std::vector<int> m_order;       // edge numbers, grouped by leaf
    std::vector<Node> m_nodes;
    double m_magnitude = 0.0; // largest coordinate of any edge
    bool m_finite = true;
};
