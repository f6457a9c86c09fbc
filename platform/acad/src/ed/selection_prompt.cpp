#include "ed/selection_prompt.h"

#include "acutmem.h"
#include "adscodes.h"
#include "dbmain.h"
#include "ed/drawing_view.h"
#include "ed/entity_pick.h"
#include "ed/host_messages.h"
#include "ed/script_input.h"
#include "win_format.h"
#include "win_wstring.h"

#include <algorithm>

namespace kz::ed {

namespace {

AcDbDatabase* currentDb() {
    return acdbHostApplicationServices()->workingDatabase();
}

bool is(const std::wstring& text, const wchar_t* word) {
    return _wcsicmp(text.c_str(), word) == 0;
}

// Asks for a corner point; RTNORM with the point or RTCAN.
int askCorner(Msg prompt, AcGePoint3d& out) {
    CommandLine& cl = CommandLine::get();
    cl.transcript().newLine();
    return cl.ask(msg(prompt), [&](const Input& in, Refusal& refusal) -> std::optional<int> {
        if (in.kind == InputKind::Text) {
            if (std::optional<AcGePoint3d> p = parsePoint(in.text, cl.lastPoint())) {
                out = *p;
                cl.pointGiven(*p);
                return RTNORM;
            }
        }
        refusal = {msg(Msg::PointOrKeyword), L"a point"};
        return std::nullopt;
    });
}

// What one input selects, before the filter: RTNORM with the objects, RTCAN, or
// RTREJ when the input is not a selection.
int objectsOf(const Input& in, EntityList& found) {
    CommandLine& cl = CommandLine::get();
    AcDbDatabase* db = currentDb();
    const std::wstring& t = in.text;
    if (is(t, L"W") || is(t, L"Window") || is(t, L"C") || is(t, L"Crossing")) {
        bool crossing = is(t, L"C") || is(t, L"Crossing");
        AcGePoint3d a, b;
        if (askCorner(Msg::FirstCorner, a) != RTNORM || askCorner(Msg::OppositeCorner, b) != RTNORM)
            return RTCAN;
        found = selectInRectangle(db, a, b, crossing);
        return RTNORM;
    }
    if (is(t, L"ALL")) {
        found = spaceEntities(db);
        return RTNORM;
    }
    if (is(t, L"L") || is(t, L"Last")) {
        EntityList all = spaceEntities(db);
        if (!all.empty())
            found.push_back(all.back());
        return RTNORM;
    }
    if (is(t, L"P") || is(t, L"Previous")) {
        found = SelectionSets::get().previous();
        return RTNORM;
    }
    if (std::optional<AcDbHandle> h = parseHandleRef(t)) {
        AcDbObjectId id;
        if (db && db->getAcDbObjectId(id, false, *h) == Acad::eOk && isSelectableEntity(id))
            found.push_back(id);
        return RTNORM;
    }
    if (std::optional<AcGePoint3d> p = parsePoint(t, cl.lastPoint())) {
        cl.pointGiven(*p);
        if (std::optional<NestedPick> hit = pickAt(db, *p, drawingView().pickRadius())) {
            found.push_back(hit->topLevel);
            return RTNORM;
        }
        AcGePoint3d other;
        if (askCorner(Msg::OppositeCorner, other) != RTNORM)
            return RTCAN;
        found = selectInRectangle(db, *p, other, other.x < p->x);
        return RTNORM;
    }
    return RTREJ;
}

void say(const std::wstring& text) {
    CommandLine& cl = CommandLine::get();
    cl.transcript().newLine();
    cl.transcript().write(text + L"\n");
}

// Adds (or removes) what was found, says how many, and tells about the filter.
void apply(EntityList found, bool removing, const SelectionFilter* filter, EntityList& set) {
    int count = static_cast<int>(found.size());
    int filtered = 0;
    if (filter) {
        auto keep = std::stable_partition(found.begin(), found.end(),
                                          [&](AcDbObjectId id) { return filter->accepts(id); });
        filtered = static_cast<int>(found.end() - keep);
        found.erase(keep, found.end());
    }
    bool wasEmpty = set.empty();
    if (removing) {
        int removed = 0;
        for (AcDbObjectId id : found) {
            auto it = std::find(set.begin(), set.end(), id);
            if (it != set.end()) {
                set.erase(it);
                ++removed;
            }
        }
        say(kz::formatWide(msg(Msg::RemovedTotal), count, removed, static_cast<int>(set.size())));
    } else {
        int duplicates = 0;
        for (AcDbObjectId id : found) {
            if (std::find(set.begin(), set.end(), id) != set.end())
                ++duplicates;
            else
                set.push_back(id);
        }
        int total = static_cast<int>(set.size());
        if (duplicates > 0)
            say(kz::formatWide(msg(Msg::FoundDuplicates), count, duplicates, total));
        else if (wasEmpty)
            say(kz::formatWide(msg(Msg::FoundFirst), count));
        else
            say(kz::formatWide(msg(Msg::FoundTotal), count, total));
    }
    if (filtered == 1)
        say(msg(Msg::FilteredOutOne));
    else if (filtered > 1)
        say(kz::formatWide(msg(Msg::FilteredOutMany), filtered));
}

// Acts on what a keyword callback returned, then frees it.
void applyCallbackResult(resbuf* result, const SelectionFilter* filter, EntityList& set,
                         std::wstring& prompt) {
    EntityList found;
    for (resbuf* rb = result; rb; rb = rb->rbnext) {
        if (rb->restype == RTENAME) {
            AcDbObjectId id;
            if (acdbGetObjectId(id, rb->resval.rlname) == Acad::eOk)
                found.push_back(id);
        } else if (rb->restype == RTPICKS) {
            if (EntityList* members = SelectionSets::get().find(rb->resval.rlname))
                found.insert(found.end(), members->begin(), members->end());
        } else if (rb->restype == RTSTR && rb->resval.rstring) {
            prompt = rb->resval.rstring;
        }
    }
    acutRelRb(result);
    if (!found.empty())
        apply(found, false, filter, set);
}

std::wstring invalidSelectionAnswer(const KeywordList& keywords) {
    std::wstring extra;
    for (const std::wstring& k : keywords.localKeywords())
        extra += L"/" + k;
    return kz::formatWide(msg(Msg::InvalidSelection), extra.c_str());
}

} // namespace

int runSelectionPrompt(const SelectionRequest& request, EntityList& selected) {
    CommandLine& cl = CommandLine::get();
    EntityList set;
    bool removing = false;
    std::wstring addPrompt =
        request.addPrompt.empty() ? msg(Msg::SelectObjects) : request.addPrompt;
    const std::wstring removePrompt =
        request.removePrompt.empty() ? msg(Msg::RemoveObjects) : request.removePrompt;
    bool first = true;
    for (;;) {
        const std::wstring& prompt = removing ? removePrompt : addPrompt;
        if (!first)
            cl.transcript().newLine();
        Input in = cl.read(first ? prompt : repeatPrompt(prompt));
        first = false;
        if (in.kind == InputKind::Cancel || in.kind == InputKind::End) {
            cl.transcript().write(std::wstring(msg(Msg::Cancel)) + L"\n");
            return RTCAN;
        }
        if (in.kind == InputKind::Enter)
            break;
        if (std::optional<std::wstring> kw = request.keywords.match(in.text)) {
            if (request.keywordCallback)
                applyCallbackResult(request.keywordCallback(kw->c_str()), request.filter, set,
                                    addPrompt);
            continue;
        }
        if (is(in.text, L"R") || is(in.text, L"Remove")) {
            removing = true;
            continue;
        }
        if (is(in.text, L"A") || is(in.text, L"Add")) {
            removing = false;
            continue;
        }
        EntityList found;
        int status = objectsOf(in, found);
        if (status == RTCAN)
            return RTCAN;
        if (status == RTREJ) {
            Refusal refusal{invalidSelectionAnswer(request.keywords),
                            L"a point, W, C, ALL, L, P, #HANDLE, R, A" +
                                (request.keywords.empty()
                                     ? std::wstring()
                                     : L", a keyword (" + request.keywords.describe() + L")") +
                                L" or an empty line"};
            if (!cl.refuse(in, refusal))
                return RTCAN;
            continue;
        }
        apply(found, removing, request.filter, set);
        if (request.single && !set.empty())
            break;
    }
    if (set.empty())
        return RTERROR;
    SelectionSets::get().setPrevious(set);
    selected = std::move(set);
    return RTNORM;
}

bool selectAtCommandPrompt(const Input& in) {
    if (in.kind != InputKind::Text)
        return false;
    bool handle = parseHandleRef(in.text).has_value();
    bool point = parsePoint(in.text, CommandLine::get().lastPoint()).has_value();
    if (!handle && !point)
        return false;
    EntityList found;
    if (objectsOf(in, found) != RTNORM)
        return true;
    EntityList set = SelectionSets::get().pickFirst();
    for (AcDbObjectId id : found) {
        if (std::find(set.begin(), set.end(), id) == set.end())
            set.push_back(id);
    }
    SelectionSets::get().setPickFirst(set);
    return true;
}

} // namespace kz::ed
