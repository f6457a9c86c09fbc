// acedSSGet and the selection-set functions.
#include "acedads.h"
#include "acutmem.h"
#include "dbmain.h"
#include "ed/drawing_view.h"
#include "ed/entity_pick.h"
#include "ed/selection_prompt.h"
#include "ed/selection_sets.h"

#include <algorithm>
#include <cwctype>
#include <optional>

using kz::ed::EntityList;
using kz::ed::SelectionSets;

namespace {

AcEdSSGetKwordCallback& keywordCallback() {
    static AcEdSSGetKwordCallback callback = nullptr;
    return callback;
}

AcDbDatabase* currentDb() {
    return acdbHostApplicationServices()->workingDatabase();
}

AcGePoint3d pointOf(const void* p) {
    const double* d = static_cast<const double*>(p);
    return AcGePoint3d(d[0], d[1], d[2]);
}

struct Mode {
    bool prompts = false, keywords = false, single = false;
    wchar_t special = 0; // 'I', 'X', 'W', 'C', 'L' or 0 for the interactive modes
};

// "_:$:K", "I", ":S"...; nullopt for anything this host does not offer.
std::optional<Mode> parseMode(const ACHAR* str) {
    Mode mode;
    if (str == nullptr)
        return mode;
    std::wstring s = str;
    if (!s.empty() && s[0] == L'_')
        s.erase(0, 1);
    std::size_t start = 0;
    while (start <= s.size()) {
        std::size_t colon = s.find(L':', start);
        std::wstring token =
            s.substr(start, colon == std::wstring::npos ? std::wstring::npos : colon - start);
        for (wchar_t& c : token)
            c = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(c)));
        if (token == L"$")
            mode.prompts = true;
        else if (token == L"K")
            mode.keywords = true;
        else if (token == L"S")
            mode.single = true;
        else if (token == L"I" || token == L"X" || token == L"W" || token == L"C" || token == L"L")
            mode.special = token[0];
        else if (!token.empty())
            return std::nullopt;
        if (colon == std::wstring::npos)
            break;
        start = colon + 1;
    }
    return mode;
}

EntityList filtered(EntityList list, const kz::ed::SelectionFilter& filter) {
    std::erase_if(list, [&](AcDbObjectId id) { return !filter.accepts(id); });
    return list;
}

int giveSet(EntityList members, ads_name ss) {
    if (members.empty())
        return RTERROR;
    SelectionSets::get().create(std::move(members), ss);
    return RTNORM;
}

bool entityOf(const ads_name ename, AcDbObjectId& id) {
    return ename != nullptr && acdbGetObjectId(id, ename) == Acad::eOk;
}

} // namespace

int acedSSGet(const ACHAR* str, const void* pt1, const void* pt2, const resbuf* filter,
              ads_name ss) {
    if (ss == nullptr)
        return RTERROR;
    std::optional<Mode> mode = parseMode(str);
    std::optional<kz::ed::SelectionFilter> f = kz::ed::SelectionFilter::fromResbuf(filter);
    if (!mode || !f)
        return RTERROR;
    AcDbDatabase* db = currentDb();
    switch (mode->special) {
    case L'I':
        return giveSet(filtered(SelectionSets::get().pickFirst(), *f), ss);
    case L'X':
        return giveSet(filtered(kz::ed::spaceEntities(db), *f), ss);
    case L'L': {
        EntityList all = kz::ed::spaceEntities(db);
        if (all.empty())
            return RTERROR;
        return giveSet(filtered({all.back()}, *f), ss);
    }
    case L'W':
    case L'C':
        if (pt1 == nullptr || pt2 == nullptr)
            return RTERROR;
        return giveSet(filtered(kz::ed::selectInRectangle(db, pointOf(pt1), pointOf(pt2),
                                                          mode->special == L'C'),
                                *f),
                       ss);
    default:
        break;
    }
    if (str == nullptr && pt1 != nullptr) {
        auto hit = kz::ed::pickAt(db, pointOf(pt1), kz::ed::drawingView().pickRadius());
        return hit ? giveSet(filtered({hit->topLevel}, *f), ss) : RTERROR;
    }
    kz::ed::SelectionRequest request;
    if (mode->prompts && pt1 != nullptr) {
        auto prompts = static_cast<const ACHAR* const*>(pt1);
        request.addPrompt = prompts[0] ? prompts[0] : L"";
        request.removePrompt = prompts[1] ? prompts[1] : L"";
    }
    if (mode->keywords) {
        request.keywords = kz::ed::KeywordList(pt2 ? static_cast<const ACHAR*>(pt2) : L"");
        request.keywordCallback = keywordCallback();
    }
    request.single = mode->single;
    request.filter = f->empty() ? nullptr : &*f;
    EntityList selected;
    int status = kz::ed::runSelectionPrompt(request, selected);
    if (status != RTNORM)
        return status;
    return giveSet(std::move(selected), ss);
}

int acedSSFree(const ads_name ss) {
    return SelectionSets::get().free(ss) ? RTNORM : RTERROR;
}

int acedSSLength(const ads_name ss, Adesk::Int32* len) {
    EntityList* set = SelectionSets::get().find(ss);
    if (set == nullptr || len == nullptr)
        return RTERROR;
    *len = static_cast<Adesk::Int32>(set->size());
    return RTNORM;
}

int acedSSLength(const ads_name ss, long* len) {
    Adesk::Int32 n = 0;
    int status = acedSSLength(ss, len ? &n : nullptr);
    if (status == RTNORM)
        *len = n;
    return status;
}

int spedSSLength(const ads_name ss, Adesk::Int32* len) {
    return acedSSLength(ss, len);
}

int spedSSLength(const ads_name ss, long* len) {
    return acedSSLength(ss, len);
}

int acedSSName(const ads_name ss, Adesk::Int32 i, ads_name entres) {
    EntityList* set = SelectionSets::get().find(ss);
    if (set == nullptr || entres == nullptr || i < 0 || static_cast<std::size_t>(i) >= set->size())
        return RTERROR;
    return acdbGetAdsName(*reinterpret_cast<ads_name*>(entres), (*set)[i]) == Acad::eOk ? RTNORM
                                                                                        : RTERROR;
}

int acedSSAdd(const ads_name ename, const ads_name sname, ads_name result) {
    if (result == nullptr)
        return RTERROR;
    AcDbObjectId id;
    if (ename != nullptr && !entityOf(ename, id))
        return RTERROR;
    if (sname == nullptr) {
        EntityList members;
        if (ename != nullptr)
            members.push_back(id);
        SelectionSets::get().create(std::move(members), result);
        return RTNORM;
    }
    EntityList* set = SelectionSets::get().find(sname);
    if (set == nullptr)
        return RTERROR;
    if (ename != nullptr && std::find(set->begin(), set->end(), id) == set->end())
        set->push_back(id);
    if (result != sname) {
        result[0] = sname[0];
        result[1] = sname[1];
    }
    return RTNORM;
}

int acedSSDel(const ads_name ename, const ads_name ss) {
    AcDbObjectId id;
    EntityList* set = SelectionSets::get().find(ss);
    if (set == nullptr || !entityOf(ename, id))
        return RTERROR;
    auto it = std::find(set->begin(), set->end(), id);
    if (it == set->end())
        return RTERROR;
    set->erase(it);
    return RTNORM;
}

int acedSSMemb(const ads_name ename, const ads_name ss) {
    AcDbObjectId id;
    EntityList* set = SelectionSets::get().find(ss);
    if (set == nullptr || !entityOf(ename, id))
        return RTERROR;
    return std::find(set->begin(), set->end(), id) != set->end() ? RTNORM : RTERROR;
}

int acedSSSetFirst(const ads_name pset, const ads_name) {
    if (pset == nullptr) {
        SelectionSets::get().setPickFirst({});
        return RTNORM;
    }
    EntityList* set = SelectionSets::get().find(pset);
    if (set == nullptr)
        return RTERROR;
    EntityList members;
    for (AcDbObjectId id : *set) {
        if (kz::ed::isSelectableEntity(id))
            members.push_back(id);
    }
    SelectionSets::get().setPickFirst(std::move(members));
    return RTNORM;
}

int acedSSGetFirst(resbuf** gset, resbuf** pset) {
    if (gset)
        *gset = nullptr;
    if (pset == nullptr)
        return RTNORM;
    *pset = nullptr;
    EntityList members = SelectionSets::get().pickFirst();
    if (members.empty())
        return RTNORM;
    resbuf* rb = acutNewRb(RTPICKS);
    SelectionSets::get().create(std::move(members), rb->resval.rlname);
    *pset = rb;
    return RTNORM;
}

int acedSSSetKwordCallbackPtr(AcEdSSGetKwordCallback pFunc) {
    keywordCallback() = pFunc;
    return RTNORM;
}

int acedSSGetKwordCallbackPtr(AcEdSSGetKwordCallback* ppFunc) {
    if (ppFunc == nullptr)
        return RTERROR;
    *ppFunc = keywordCallback();
    return RTNORM;
}
