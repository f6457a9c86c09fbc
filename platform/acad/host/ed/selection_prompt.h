// The host's object selection at a prompt: what acedSSGet runs for its interactive
// modes.
//
// Input at the prompt: a point picks the topmost object within the pick box (a point
// on no object starts a window to a second point: left to right a window, right to
// left a crossing); "W" or "C" and two points select by window or crossing; "ALL" every
// object; "L" the last object; "P" the previous selection; "#HANDLE" the object with
// that handle; "R" switches to removing objects from the set and "A" back to adding;
// a keyword of the list goes to the keyword callback; Enter ends the selection. Each
// step says how many objects it found.
#pragma once

#include "adsdef.h"
#include "ed/command_line.h"
#include "ed/keywords.h"
#include "ed/selection_filter.h"
#include "ed/selection_sets.h"

#include <string>

namespace kz::ed {

struct SelectionRequest {
    std::wstring addPrompt;    // empty: the host's "Select objects: "
    std::wstring removePrompt; // empty: the host's "Remove objects: "
    KeywordList keywords;
    resbuf* (*keywordCallback)(const wchar_t*) = nullptr;
    bool single = false; // the first step that selects something ends the selection
    const SelectionFilter* filter = nullptr;
};

// RTNORM with the selected objects, RTERROR when nothing was selected, RTCAN.
int runSelectionPrompt(const SelectionRequest& request, EntityList& selected);

// Objects selected at the command prompt for the pick-first set: a point (or a window
// started from it) or "#HANDLE". False when the input is neither (then it is a command
// name).
bool selectAtCommandPrompt(const Input& in);

} // namespace kz::ed
