// The drag loop CDrag and its callback record dragdata.
//
// A drag holds temporary entities (owned by it, each with a text tag and a shown/hidden
// state), offers keywords at its prompt and calls the caller back: the sample callback
// on every cursor move, the end callback once when the user picks the point, the option
// callback for any text typed at the prompt. On the headless host the cursor moves,
// picks, keywords and cancels come from the command line ("~x,y", "x,y", text,
// "*CANCEL*"), and after each sample the shown entities go to the host's preview
// frames (kzdim --frames).
#pragma once

#include "afxstr.h"
#include "dbmain.h"
#include "gepnt3d.h"
#include "windows.h"

#include <cstddef>
#include <unordered_set>
#include <vector>

class CDrag;

// The record every callback receives. The first four fields sit where the host's
// record has them (byte offsets 8, 88, 216 and 360); the padding between them is
// unused.
struct dragdata {
    char reserved0[8] = {};
    AcGePoint3d point; // the cursor, world coordinates
    char reserved1[88 - 8 - sizeof(AcGePoint3d)] = {};
    void* user = nullptr; // the user pointer given to Dynamic
    char reserved2[216 - 88 - sizeof(void*)] = {};
    CDrag* drag = nullptr; // the drag running the callback (null in command hooks)
    char reserved3[360 - 216 - sizeof(CDrag*)] = {};
    CString keyword; // the text typed, valid in the option callback
};

static_assert(offsetof(dragdata, point) == 8);
static_assert(offsetof(dragdata, user) == 88);
static_assert(offsetof(dragdata, drag) == 216);
static_assert(offsetof(dragdata, keyword) == 360);

using DragCallback = int (*)(dragdata*);
using DragNotify = void (*)(dragdata*);

class CDrag {
public:
    explicit CDrag(int reserved = 0);
    // Deletes the held entities that are not in a drawing.
    ~CDrag();
    CDrag(const CDrag&) = delete;
    CDrag& operator=(const CDrag&) = delete;

    // ---- held entities ----
    // The drag takes the entity with its tag, shown. position: the index to insert at,
    // -1 (or any index past the end) appends. Returns the entity's index, or -1 when the
    // entity is null or held already (the caller keeps it then).
    int Append(AcDbEntity* entity, const wchar_t* tag, int position);
    // Removes every held entity. dispose non-zero deletes those not in a drawing (an
    // entity a callback added to the drawing belongs to the drawing); 0 gives them back
    // to the caller undeleted.
    void RemoveAll(int dispose);
    int Length() const;
    // The i-th entity (null when i is out of range), its shown state (1 or 0) and its
    // tag; enabled and tag may be null.
    AcDbEntity* At(int i, int* enabled, CString* tag) const;
    // Shows (on non-zero) or hides entity i in the preview; out of range is ignored.
    void SetEntEnable(int i, int on);

    // ---- the prompt ----
    // A keyword offered at the drag prompt; the prompt lists the labels (the keyword
    // when the label is null or empty) as "[label/label/...]".
    void AddOption(const wchar_t* keyword, const wchar_t* label);
    // Called for any text typed at the drag prompt that is not a point, with the text
    // as typed in dragdata::keyword, whether it is an offered keyword or not; the drag
    // goes on afterwards. Without one, such text is refused like text at a point prompt.
    void SetOptionFunc(DragCallback func);
    // Distance read-out: with on non-zero each preview frame also shows, as a text
    // height * scale() high at (offsetX, offsetY) * scale() from the cursor, the
    // distance from where the cursor was when the drag started. The font is kept (it
    // must outlive the drag); the headless preview draws the text in the drawing's
    // standard style. The three unnamed ints are accepted and not used.
    void DistEnabled(int on, double height, int, double offsetX, double offsetY, int,
                     LOGFONTW* font, int);
    // Non-zero: the prompt given to Dynamic is shown; 0 (the default): the host's own
    // "Specify point" prompt is shown instead.
    void SetUserPrompt(int on);

    // Runs the drag until the user picks a point, cancels or presses Enter.
    //   end (f1):    once, after the sample callback at the picked point;
    //   stop (f2):   once instead of end when the drag is cancelled or Enter is pressed;
    //   sample (f3): at every cursor move, and at the picked point;
    //   begin (f4):  once before the first input;
    //   finish (f5): once when the drag is over, whichever way;
    // any of them may be null; their results are not used. preview false shows no
    // frames. The four doubles are accepted and not used. Returns RTNORM after a pick,
    // RTCAN after a cancel (or the end of the input), RTNONE after Enter, RTERROR when
    // the drag could not run.
    int Dynamic(wchar_t* prompt, DragCallback end, DragCallback stop, DragCallback sample,
                DragNotify begin, void* user, DragNotify finish, bool preview, double, double,
                double, double);

    // The view scale for sizes drawn in the preview: 1.0 unless the host sets another
    // (kz::setDragViewScale).
    static double scale();

    // The straight segment picked on a polyline: for a lightweight, 2D or 3D polyline
    // the segment nearest to pick (its closing segment included when it is closed);
    // for a vertex of a 2D or 3D polyline the segment starting at that vertex. p1 and
    // p2 receive its ends in world coordinates (for an arc segment, the arc's ends).
    // Returns 0 when found; 1 when the object cannot be opened or is none of these;
    // 2 when there is no such segment (fewer than two vertices, the last vertex of an
    // open polyline).
    int GetPLinePoint(AcDbObjectId id, double pick[3], AcGePoint3d& p1, AcGePoint3d& p2);

    // Process-wide hooks, kept until replaced; all null removes them. Each receives a
    // record whose point is the last cursor point; drag and user are null in the
    // command hooks.
    //   commandStart (f1): before each command that starts from now on;
    //   commandEnd (f2):   after each such command has ended (not after the command
    //                      running when the hooks were installed);
    //   dragStart (f3), dragEnd (f4): when any drag starts and ends, with its record.
    // A hook may call notifyFunc, also to remove itself.
    static void notifyFunc(DragNotify commandStart, DragNotify commandEnd, DragNotify dragStart,
                           DragNotify dragEnd);

private:
    struct Held {
        AcDbEntity* entity = nullptr;
        CString tag;
        bool shown = true;
        bool inDrawing = false; // added to a drawing: the drawing owns it now
    };

    void noteEntitiesInDrawing();
    void showFrame(const dragdata& data) const;
    CString promptText(const wchar_t* prompt) const;
    static void notifyDrag(bool starting, dragdata* data);

    std::vector<Held> m_held;
    std::unordered_set<const AcDbEntity*> m_heldSet; // the entities of m_held
    std::vector<CString> m_keywords, m_labels;
    DragCallback m_optionFunc = nullptr;
    bool m_userPrompt = false;
    bool m_distance = false;
    double m_distHeight = 0.0, m_distOffsetX = 0.0, m_distOffsetY = 0.0;
    LOGFONTW* m_font = nullptr;
    AcGePoint3d m_start; // the cursor when the drag started
};

namespace kz {
// Host option: the value of CDrag::scale(). A value that is not a positive finite
// number is refused (false) and the scale stays.
bool setDragViewScale(double scale);
} // namespace kz
