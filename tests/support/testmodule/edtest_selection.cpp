// Commands that select: ordinary selection, point mode, single selection with a
// filter, the pick-first set, and nested picks.
#include "acdocman.h"
#include "dbents.h"
#include "edtest.h"
#include "ed/selection_filter.h"
#include "win_wstring.h"

#include <cmath>
#include <vector>

namespace edtest {

namespace {

// "2: 1A 1B" and frees the set.
void printSet(const wchar_t* what, int status, ads_name ss) {
    if (status != RTNORM) {
        acutPrintf(L"%s: %s\n", what, statusName(status));
        return;
    }
    Adesk::Int32 n = 0;
    spedSSLength(ss, &n);
    std::wstring names;
    for (Adesk::Int32 i = 0; i < n; ++i) {
        ads_name e;
        acedSSName(ss, i, e);
        names += L" " + handleOf(e);
    }
    acutPrintf(L"%s: %d:%s\n", what, n, names.c_str());
    acedSSFree(ss);
}

std::vector<AcGePoint3d> pickedPoints;

// The point mode of the selection: points until "O", Enter (which also ends the
// selection, through a blank sent to the command line) or cancel.
resbuf* pointMode(const ACHAR* keyword) {
    if (std::wstring(keyword) != L"Point")
        return nullptr;
    for (;;) {
        acedInitGet(0, L"O");
        ads_point pt = {0, 0, 0};
        int status = acedGetPoint(nullptr, L"\nSpecify point or [back to Objects(O)]: ", pt);
        if (status == RTCAN)
            return nullptr;
        if (status == RTKWORD) {
            ACHAR kw[133];
            acedGetInput(kw);
            if (_wcsicmp(kw, L"O") == 0)
                return nullptr;
            continue;
        }
        if (status == RTNONE) {
            acDocManager->sendStringToExecute(acDocManager->curDocument(), L" ", true, false,
                                              false);
            return nullptr;
        }
        pickedPoints.push_back(AcGePoint3d(pt[0], pt[1], pt[2]));
    }
}

// Lines carrying extended data of KZ_TEST.
resbuf* taggedLineFilter() {
    resbuf* type = acutNewRb(0);
    type->resval.rstring = acutNewString(L"LINE");
    resbuf* xdata = acutNewRb(-3);
    resbuf* app = acutNewRb(1001);
    app->resval.rstring = acutNewString(L"KZ_TEST");
    type->rbnext = xdata;
    xdata->rbnext = app;
    return type;
}

} // namespace

void cmdList() {
    ads_name ss;
    int status = acedSSGet(nullptr, nullptr, nullptr, nullptr, ss);
    printSet(L"selected", status, ss);
}

void cmdPointMode() {
    pickedPoints.clear();
    const ACHAR* prompts[2] = {L"\nSelect objects or [specify Points(OP)]:", L""};
    AcEdSSGetKwordCallback saved = nullptr;
    acedSSGetKwordCallbackPtr(&saved);
    acedSSSetKwordCallbackPtr(pointMode);
    ads_name ss;
    int status = acedSSGet(L"_:$:K", prompts, L"Op _ Point", nullptr, ss);
    acedSSSetKwordCallbackPtr(saved);
    for (const AcGePoint3d& p : pickedPoints)
        acutPrintf(L"point %g,%g\n", p.x, p.y);
    printSet(L"selected", status, ss);
    pickedPoints.clear();
}

void cmdSingle() {
    resbuf* filter = taggedLineFilter();
    const ACHAR* prompts[2] = {L"\nPick a tagged line:", L""};
    int status;
    ads_name ss;
    for (;;) {
        status = acedSSGet(L"_:$:S", prompts, nullptr, filter, ss);
        if (status == RTCAN)
            break;
        Adesk::Int32 n = 0;
        if (status == RTNORM && spedSSLength(ss, &n) == RTNORM && n > 0)
            break;
        acutPrintf(L"nothing taken, again\n");
    }
    acutRelRb(filter);
    printSet(L"single", status, ss);
}

void cmdImplied() {
    resbuf* filter = taggedLineFilter();
    ads_name ss;
    int status = acedSSGet(L"I", nullptr, nullptr, filter, ss);
    if (status == RTNORM) {
        printSet(L"implied", status, ss);
    } else {
        const ACHAR* prompts[2] = {L"\nPick a tagged line:", L""};
        status = acedSSGet(L"_:$:S", prompts, nullptr, filter, ss);
        printSet(L"picked", status, ss);
    }
    acutRelRb(filter);
}

void cmdSetFirst() {
    ads_name picked;
    if (acedSSGet(nullptr, nullptr, nullptr, nullptr, picked) != RTNORM) {
        acutPrintf(L"nothing selected\n");
        return;
    }
    ads_name set;
    acedSSAdd(nullptr, nullptr, set);
    Adesk::Int32 n = 0;
    spedSSLength(picked, &n);
    for (Adesk::Int32 i = n - 1; i >= 0; --i) { // reversed, to show the order is kept
        ads_name e;
        acedSSName(picked, i, e);
        acedSSAdd(e, set, set);
    }
    acedSSFree(picked);
    acedSSSetFirst(set, nullptr);
    acedSSFree(set);
    acutPrintf(L"pick-first set of %d\n", n);
}

void cmdNested() {
    ads_name ent;
    ads_point pt;
    ads_matrix xform;
    resbuf* containers = nullptr;
    int status = acedNEntSelP(L"\nSelect nested object: ", ent, pt, 0, xform, &containers);
    if (status != RTNORM) {
        acutPrintf(L"nested: %s\n", statusName(status));
        return;
    }
    AcDbObjectId id;
    acdbGetObjectId(id, ent);
    AcDbEntity* e = nullptr;
    std::wstring type = L"?";
    if (acdbOpenObject(e, id, AcDb::kForRead) == Acad::eOk) {
        type = kz::ed::entityTypeName(e);
        e->close();
    }
    std::wstring refs;
    for (resbuf* rb = containers; rb; rb = rb->rbnext)
        refs += L" " + handleOf(rb->resval.rlname);
    acutRelRb(containers);
    // Rounded, so that the last bits of sines and cosines do not show.
    auto r = [](double v) { return std::round(v * 1e6) / 1e6 + 0.0; };
    acutPrintf(L"nested: %s %s at %g,%g in [%s ] origin %g,%g x-axis %g,%g\n", handleOf(id).c_str(),
               type.c_str(), pt[0], pt[1], refs.c_str(), r(xform[0][3]), r(xform[1][3]),
               r(xform[0][0]), r(xform[1][0]));
}

} // namespace edtest
