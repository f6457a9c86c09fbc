// Picking one entity: acedEntSel, acedNEntSelP, acdbEntLast.
#include "acedads.h"
#include "acutmem.h"
#include "dbmain.h"
#include "ed/command_line.h"
#include "ed/drawing_view.h"
#include "ed/entity_pick.h"
#include "ed/host_messages.h"
#include "ed/script_input.h"
#include "ed/selection_sets.h"

using kz::ed::CommandLine;
using kz::ed::Input;
using kz::ed::InputKind;
using kz::ed::Msg;
using kz::ed::NestedPick;
using kz::ed::Refusal;

namespace {

AcDbDatabase* currentDb() {
    return acdbHostApplicationServices()->workingDatabase();
}

// Asks for a pick: RTNORM with the point (or the entity named by "#HANDLE"), RTNONE on
// Enter, RTKWORD, RTCAN.
int askPick(const ACHAR* prompt, AcGePoint3d& point, AcDbObjectId& named) {
    CommandLine& cl = CommandLine::get();
    kz::ed::InitGet ig = cl.takeInitGet();
    std::wstring expected = L"a point or #HANDLE";
    if (!ig.keywords.empty())
        expected += L" or a keyword (" + ig.keywords.describe() + L")";
    std::wstring shown = prompt ? prompt : kz::ed::msg(Msg::SelectObject);
    return cl.ask(shown, [&](const Input& in, Refusal& refusal) -> std::optional<int> {
        if (in.kind == InputKind::Enter)
            return RTNONE;
        if (std::optional<AcGePoint3d> p = kz::ed::parsePoint(in.text, cl.lastPoint())) {
            point = *p;
            cl.pointGiven(*p);
            return RTNORM;
        }
        if (std::optional<AcDbHandle> h = kz::ed::parseHandleRef(in.text)) {
            AcDbDatabase* db = currentDb();
            if (db && db->getAcDbObjectId(named, false, *h) == Acad::eOk &&
                kz::ed::isSelectableEntity(named))
                return RTNORM;
            named = AcDbObjectId();
            return RTERROR;
        }
        if (std::optional<std::wstring> kw = ig.keywords.match(in.text)) {
            cl.setLastKeyword(*kw);
            return RTKWORD;
        }
        refusal = {kz::ed::msg(Msg::PointOrKeyword), expected};
        return std::nullopt;
    });
}

void copyPoint(const AcGePoint3d& p, ads_point out) {
    if (out) {
        out[0] = p.x;
        out[1] = p.y;
        out[2] = p.z;
    }
}

// The pick at the point, or the entity itself when named by handle.
std::optional<NestedPick> resolve(const AcGePoint3d& point, AcDbObjectId named) {
    if (!named.isNull())
        return NestedPick{named, named, AcGeMatrix3d::kIdentity, {}};
    return kz::ed::pickAt(currentDb(), point, kz::ed::drawingView().pickRadius());
}

} // namespace

int acedEntSel(const ACHAR* str, ads_name entres, ads_point ptres) {
    AcGePoint3d point;
    AcDbObjectId named;
    int status = askPick(str, point, named);
    if (status == RTNONE)
        return RTERROR;
    if (status != RTNORM)
        return status;
    std::optional<NestedPick> hit = resolve(point, named);
    if (!hit || entres == nullptr)
        return RTERROR;
    copyPoint(point, ptres);
    return acdbGetAdsName(*reinterpret_cast<ads_name*>(entres), hit->topLevel) == Acad::eOk
               ? RTNORM
               : RTERROR;
}

int acedNEntSelP(const ACHAR* str, ads_name entres, ads_point ptres, int pickflag,
                 ads_matrix xformres, resbuf** refstkres) {
    if (refstkres)
        *refstkres = nullptr;
    AcGePoint3d point;
    AcDbObjectId named;
    if (pickflag) {
        if (ptres == nullptr)
            return RTERROR;
        point = AcGePoint3d(ptres[0], ptres[1], ptres[2]);
    } else {
        int status = askPick(str, point, named);
        if (status == RTNONE)
            return RTERROR;
        if (status != RTNORM)
            return status;
        copyPoint(point, ptres);
    }
    std::optional<NestedPick> hit = resolve(point, named);
    if (!hit || entres == nullptr ||
        acdbGetAdsName(*reinterpret_cast<ads_name*>(entres), hit->entity) != Acad::eOk)
        return RTERROR;
    if (xformres) {
        for (int r = 0; r < 4; ++r) {
            for (int c = 0; c < 4; ++c)
                xformres[r][c] = hit->xform(r, c);
        }
    }
    if (refstkres) {
        resbuf* head = nullptr;
        resbuf** tail = &head;
        for (AcDbObjectId container : hit->containers) {
            resbuf* rb = acutNewRb(RTENAME);
            acdbGetAdsName(*reinterpret_cast<ads_name*>(rb->resval.rlname), container);
            *tail = rb;
            tail = &rb->rbnext;
        }
        *refstkres = head;
    }
    return RTNORM;
}

int acdbEntLast(ads_name result) {
    if (result == nullptr)
        return RTERROR;
    std::vector<AcDbObjectId> all = kz::ed::spaceEntities(currentDb());
    if (all.empty())
        return RTERROR;
    return acdbGetAdsName(*reinterpret_cast<ads_name*>(result), all.back()) == Acad::eOk ? RTNORM
                                                                                         : RTERROR;
}
