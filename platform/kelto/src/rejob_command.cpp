// KZ_REJOB1: re-lays a route after one of its straight elements changed length. The
// base element and its insertion point come from KZAddinAutoCommParam; the command
// reads the displacement of the base element and carries out the plan of
// rejob_plan.cpp.
#include "KeltoHost.h"

#include "aced.h"
#include "acutads.h"

#include <string>

namespace kz::kelto {

namespace {

std::wstring handleText(AcDbObjectId id) {
    wchar_t buffer[20] = L"";
    id.handle().getIntoAsciiBuffer(buffer, 20);
    return buffer;
}

// The displacement typed at the prompt; nothing when the user cancels or gives none.
std::optional<AcGeVector3d> askDisplacement(const AcGePoint3d& insertionPoint) {
    while (true) {
        wchar_t text[133] = L"";
        int rc =
            acedGetString(0, L"\nDisplacement (@dx,dy) or new insertion point (x,y): ", text, 133);
        if (rc != RTNORM || text[0] == L'\0')
            return std::nullopt;
        if (std::optional<AcGeVector3d> d = parseDisplacement(text, insertionPoint))
            return d;
        acutPrintf(L"\nRequires @dx,dy or x,y.");
    }
}

} // namespace

void rejobCommand() {
    std::optional<RejobParams> params = takeRejobParams();
    if (!params) {
        acutPrintf(L"\nKZ_REJOB1: no base element was given.\n");
        return;
    }
    std::optional<AcGeVector3d> d = askDisplacement(params->insertionPoint);
    if (!d)
        return;
    std::wstring why;
    std::optional<RejobPlan> plan = planRejob(params->base, *d, why);
    if (!plan) {
        acutPrintf(L"\nKZ_REJOB1: %ls; nothing changed.\n", why.c_str());
        return;
    }
    AcDbObjectId replacement;
    if (applyRejob(*plan, *d, replacement) != Acad::eOk) {
        acutPrintf(L"\nKZ_REJOB1: the straight element %ls cannot be stretched; nothing "
                   L"changed.\n",
                   handleText(plan->segment).c_str());
        return;
    }
    acutPrintf(L"\nKZ_REJOB1: %d element(s) moved; %ls replaced by %ls (length %.4f to %.4f).\n",
               static_cast<int>(plan->moved.size()), handleText(plan->segment).c_str(),
               handleText(replacement).c_str(), plan->oldLength, plan->newLength);
}

} // namespace kz::kelto
