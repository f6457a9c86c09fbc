// The layout of a linear dimension as plain geometry: where its extension lines,
// dimension line, arrowheads and text go, from its points and its dimension variables.
#include "db/dim_graphics.h"

#include "db/database_impl.h"
#include "db/symbol_lookup.h"
#include "dbsymtb.h"

#include <cmath>

namespace kz::dim {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kTiny = 1e-9;

double angleOf(const AcGeVector3d& v) {
    return std::atan2(v.y, v.x);
}

AcGeVector3d dir(double angle) {
    return AcGeVector3d(std::cos(angle), std::sin(angle), 0);
}

// An angle turned by half turns into (-90, 90] degrees, so that text along it reads
// from the bottom or from the right.
double readable(double a) {
    while (a > kPi / 2 + kTiny)
        a -= kPi;
    while (a <= -kPi / 2 + kTiny)
        a += kPi;
    return a;
}

struct EndArrow {
    Arrow kind = Arrow::ClosedFilled;
    AcDbObjectId block;
    double tail = 1.0;
};

EndArrow arrowOf(AcDbObjectId block) {
    EndArrow e;
    std::wstring name = block.isNull() ? std::wstring() : symbolName(block);
    if (name.empty())
        return e; // closed filled, also for a block that is gone
    e.block = block;
    if (const ArrowInfo* info = findArrow(name)) {
        e.kind = info->kind;
        e.tail = info->tail;
        if (e.kind == Arrow::ClosedFilled)
            e.block = AcDbObjectId();
    } else {
        e.kind = Arrow::User;
        e.tail = 0;
    }
    return e;
}

double styleWidthFactor(AcDbObjectId style) {
    AcDbStub* s = style.stub();
    auto* rec = s && s->object ? AcDbTextStyleTableRecord::cast(s->object.get()) : nullptr;
    return rec && rec->xScale() > 0 ? rec->xScale() : 1.0;
}

// The values the layout needs, read once.
struct Vars {
    double asz, txt, gap, exo, exe, dle;
    bool se1, se2, tix, tih, toh;
    int tad, tmove, just;
    AcCmColor clrd, clre, clrt;
    AcDb::LineWeight lwd, lwe;
    AcDbObjectId txsty;
    EndArrow arrow1, arrow2;

    explicit Vars(const AcDbDimension& dim) {
        double scale = dim.dimscale() > 0 ? dim.dimscale() : 1.0;
        asz = dim.dimasz() * scale;
        txt = dim.dimtxt() * scale;
        gap = dim.dimgap() * scale;
        exo = dim.dimexo() * scale;
        exe = dim.dimexe() * scale;
        dle = dim.dimdle() * scale;
        se1 = dim.dimse1();
        se2 = dim.dimse2();
        tix = dim.dimtix();
        tih = dim.dimtih();
        toh = dim.dimtoh();
        tad = dim.dimtad();
        tmove = dim.dimtmove();
        just = dim.dimjust();
        clrd = dim.dimclrd();
        clre = dim.dimclre();
        clrt = dim.dimclrt();
        lwd = dim.dimlwd();
        lwe = dim.dimlwe();
        txsty = dim.dimtxsty();
        // Without dimsah both ends take dimblk; with it each end has its own block.
        if (dim.dimsah()) {
            arrow1 = arrowOf(dim.dimblk1());
            arrow2 = arrowOf(dim.dimblk2());
        } else {
            arrow1 = arrow2 = arrowOf(dim.dimblk());
        }
    }
};

// Where the dimension line meets the extension line through x.
AcGePoint3d foot(const AcGePoint3d& x, const AcGePoint3d& base, const AcGeVector3d& u,
                 const AcGeVector3d& v) {
    AcGeVector3d w = x - base;
    double det = -u.x * v.y + v.x * u.y;
    double t = std::fabs(det) < kTiny ? w.dotProduct(u) : (-w.x * v.y + v.x * w.y) / det;
    AcGePoint3d f = base + u * t;
    f.z = base.z;
    return f;
}

} // namespace

double estimateTextWidth(std::wstring_view text, double height) {
    double w = 0;
    for (wchar_t c : text) {
        bool narrow = c < 0x1100 || (c >= 0xFF61 && c <= 0xFF9F);
        w += narrow ? 0.7 : 1.0;
    }
    return w * height;
}

bool layoutDimension(const AcDbDimension& dim, DimLayout& out) {
    LinearDefinition d;
    if (!dim.kzLinearDefinition(d))
        return false;
    out = DimLayout();
    const Vars var(dim);

    AcGeVector3d u(d.direction.x, d.direction.y, 0);
    u = u.isZeroLength() ? AcGeVector3d(1, 0, 0) : u.normal();
    const AcGeVector3d n(-u.y, u.x, 0);
    // Extension lines run square to the dimension line unless obliqued.
    AcGeVector3d v = n;
    if (d.oblique != 0 && std::fabs(std::sin(d.oblique)) > 1e-6)
        v = u * std::cos(d.oblique) + n * std::sin(d.oblique);

    // ---- text: contents, size and angle ----
    std::wstring contents = dim.formatMeasurement();
    double tw = estimateTextWidth(contents, var.txt) * styleWidthFactor(var.txsty);
    double th = var.txt;
    bool userText = !dim.isUsingDefaultTextPosition();
    AcGePoint3d userCentre = userText ? dim.textPosition() : AcGePoint3d();

    AcGePoint3d base = d.dimLine;
    AcGePoint3d f1, f2, centre, mid;
    AcGeVector3d w, tdir, tup, o;
    double len = 0, off = 0, hw = 0;
    bool inside = true, arrowsInside = true;
    // Run twice when the dimension line follows text the user moved (dimtmove 0).
    for (int pass = 0; pass < 2; ++pass) {
        f1 = foot(d.xLine1, base, u, v);
        f2 = foot(d.xLine2, base, u, v);
        len = f1.distanceTo(f2);
        w = len > kTiny ? (f2 - f1) / len : u;
        arrowsInside = len + kTiny >= 2 * var.asz;
        double needed = var.tad == 0 ? tw + 2 * var.asz + 2 * var.gap : tw + 2 * var.gap;
        inside = contents.empty() || var.tix || needed <= len + kTiny;

        double a = readable(angleOf(u));
        if (inside ? var.tih : var.toh)
            a = 0;
        if (dim.textRotation() != 0)
            a = dim.textRotation();
        tdir = dir(a);
        tup = dir(a + kPi / 2);

        AcGeVector3d above = n.dotProduct(tup) < -kTiny ? -n : n;
        switch (var.tad) {
        case 0:
            o = AcGeVector3d();
            break;
        case 2: {
            // Outside: on the side away from the measured points.
            double side = ((d.xLine1 - base) + (d.xLine2 - base)).dotProduct(n) / 2;
            o = side > kTiny ? -n : side < -kTiny ? n : above;
            break;
        }
        case 4:
            o = -above;
            break;
        default: // 1 above, 3 JIS (above as well)
            o = above;
            break;
        }
        double extentAcross =
            std::fabs(tup.dotProduct(o)) * th / 2 + std::fabs(tdir.dotProduct(o)) * tw / 2;
        off = var.tad == 0 ? 0 : var.gap + extentAcross;
        hw = std::fabs(tdir.dotProduct(w)) * tw / 2 + std::fabs(tup.dotProduct(w)) * th / 2;

        mid = f1 + (f2 - f1) / 2;
        AcGePoint3d along = mid;
        if (!inside)
            along = f2 + w * (var.asz + var.gap + hw);
        else if (var.just == 1)
            along = f1 + w * (var.asz + var.gap + hw);
        else if (var.just == 2)
            along = f2 - w * (var.asz + var.gap + hw);
        centre = along + o * off;

        if (!userText)
            break;
        centre = userCentre;
        if (var.tmove != 0 || pass == 1)
            break;
        // dimtmove 0: the dimension line moves to the text.
        base = userCentre - o * off;
        base.z = d.dimLine.z;
    }

    // ---- extension lines ----
    auto extension = [&](const AcGePoint3d& x, const AcGePoint3d& f, DimLayout::Role role) {
        AcGeVector3d e = f - x;
        e.z = 0;
        AcGeVector3d ed = e.length() > kTiny ? e.normal() : v;
        AcGePoint3d start = x + ed * var.exo;
        AcGePoint3d end = f + ed * var.exe;
        AcGeVector3d span = end - start;
        span.z = 0;
        if (span.dotProduct(ed) > kTiny)
            out.lines.push_back({start, end, role, var.clre, var.lwe});
    };
    if (!var.se1)
        extension(d.xLine1, f1, DimLayout::Role::ExtLine1);
    if (!var.se2)
        extension(d.xLine2, f2, DimLayout::Role::ExtLine2);

    // ---- dimension line, broken where the text sits on it ----
    auto ticks = [](Arrow k) { return k == Arrow::Oblique || k == Arrow::ArchTick; };
    double a0 = 0, b0 = len;
    if (arrowsInside) {
        a0 += var.arrow1.tail * var.asz;
        b0 -= var.arrow2.tail * var.asz;
    }
    if (ticks(var.arrow1.kind))
        a0 = -var.dle;
    if (ticks(var.arrow2.kind))
        b0 = len + var.dle;
    std::vector<std::pair<double, double>> pieces{{a0, b0}};
    if (!contents.empty()) {
        AcGeVector3d c = centre - f1;
        double across = std::fabs(c.x * n.x + c.y * n.y);
        double halfAcross =
            std::fabs(tup.dotProduct(n)) * th / 2 + std::fabs(tdir.dotProduct(n)) * tw / 2;
        if (across < halfAcross - kTiny) {
            double at = c.x * w.x + c.y * w.y;
            double lo = at - hw - var.gap, hi = at + hw + var.gap;
            pieces.clear();
            if (lo > a0 + kTiny)
                pieces.emplace_back(a0, std::min(lo, b0));
            if (hi < b0 - kTiny)
                pieces.emplace_back(std::max(hi, a0), b0);
        }
    }
    for (auto [s, e] : pieces)
        if (e - s > kTiny)
            out.lines.push_back(
                {f1 + w * s, f1 + w * e, DimLayout::Role::DimLine, var.clrd, var.lwd});
    if (!arrowsInside) {
        // Arrowheads outside: a short stretch of line beyond each.
        double t1 = var.arrow1.tail * var.asz, t2 = var.arrow2.tail * var.asz;
        out.lines.push_back(
            {f1 - w * t1, f1 - w * (t1 + var.asz), DimLayout::Role::DimLine, var.clrd, var.lwd});
        out.lines.push_back(
            {f2 + w * t2, f2 + w * (t2 + var.asz), DimLayout::Role::DimLine, var.clrd, var.lwd});
    }
    if (!contents.empty() && !inside && !userText && var.tad != 0) {
        // Text placed beyond extension line 2 sits on the dimension line drawn out to it.
        AcGePoint3d start = arrowsInside ? f2 : f2 + w * (var.arrow2.tail * var.asz + var.asz);
        AcGePoint3d end = f2 + w * (var.asz + 2 * var.gap + 2 * hw);
        out.lines.push_back({start, end, DimLayout::Role::DimLine, var.clrd, var.lwd});
    }
    if (!contents.empty() && userText && var.tmove == 1 && centre.distanceTo(mid) > th) {
        // A leader from the middle of the dimension line to the near side of the text.
        double side = (mid - centre).dotProduct(tdir) < 0 ? -1.0 : 1.0;
        AcGePoint3d near = centre + tdir * (side * (tw / 2 + var.gap));
        out.lines.push_back({mid, near, DimLayout::Role::Leader, var.clrd, var.lwd});
    }

    // ---- arrowheads ----
    auto arrowhead = [&](int end, const EndArrow& a, const AcGePoint3d& tip, AcGeVector3d out_) {
        if (a.kind == Arrow::None)
            return;
        DimLayout::ArrowHead h;
        h.end = end;
        h.kind = a.kind;
        h.block = a.block;
        h.tip = tip;
        h.rotation = angleOf(out_);
        h.size = var.asz;
        h.color = var.clrd;
        out.arrows.push_back(h);
    };
    arrowhead(1, var.arrow1, f1, arrowsInside ? -w : w);
    arrowhead(2, var.arrow2, f2, arrowsInside ? w : -w);

    // ---- text and definition points ----
    if (!contents.empty()) {
        DimLayout::Text t;
        t.contents = contents;
        t.centre = centre;
        t.centre.z = base.z;
        t.height = th;
        t.width = tw;
        t.rotation = std::atan2(tdir.y, tdir.x);
        t.style = var.txsty;
        t.color = var.clrt;
        out.text = t;
    }
    out.defpoints = {d.dimLine, d.xLine1, d.xLine2};
    return true;
}

} // namespace kz::dim
