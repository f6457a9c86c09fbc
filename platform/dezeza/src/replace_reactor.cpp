#include "DeZeza.h"

#include <algorithm>
#include <vector>

ACRX_NO_CONS_DEFINE_MEMBERS(CReplaceReactor, AcRxObject)

CReplaceReactor::~CReplaceReactor() = default;

void CReplaceReactor::erase(AcDbObjectId element) {}

void CReplaceReactor::terminated(AcDbObjectId oldElement, AcDbObjectIdArray newElements) {}

namespace {

std::vector<CReplaceReactor*>& reactors() {
    static std::vector<CReplaceReactor*> list;
    return list;
}

// Tells each reactor registered now; a reactor's failure does not stop the others.
template <class Call> void tellAll(Call call) {
    std::vector<CReplaceReactor*> snapshot;
    try {
        snapshot = reactors();
    } catch (...) {
        return;
    }
    for (CReplaceReactor* r : snapshot) {
        try {
            call(r);
        } catch (...) {
        }
    }
}

} // namespace

int RuleComn_addReplaceReactor(CReplaceReactor* reactor) {
    if (!reactor)
        return -1;
    auto& list = reactors();
    if (std::find(list.begin(), list.end(), reactor) != list.end())
        return 1;
    try {
        list.push_back(reactor);
    } catch (...) {
        return -1;
    }
    return 0;
}

int RuleComn_removeReplaceReactor(CReplaceReactor* reactor) {
    auto& list = reactors();
    auto it = std::find(list.begin(), list.end(), reactor);
    if (it == list.end())
        return 1;
    list.erase(it);
    return 0;
}

void RuleComn_notifyErased(AcDbObjectId element) {
    tellAll([&](CReplaceReactor* r) { r->erase(element); });
}

void RuleComn_notifyReplaced(AcDbObjectId oldElement, const AcDbObjectIdArray& newElements) {
    tellAll([&](CReplaceReactor* r) { r->terminated(oldElement, newElements); });
}
