// Input for the drag loop of the drag library: cursor moves, picks, keywords and
// cancels, from the script or the terminal, and the frame hook that lets the host
// render each preview.
//
// Script forms at a drag prompt: "~x,y" moves the cursor there without picking; a
// point ("x,y", "@dx,dy", ...) moves the cursor there and picks it; any other text is
// a keyword, passed on as typed; an empty line is Enter; "*CANCEL*" (and the end of
// the script) cancels. The drag library links acad_host to include this header.
#pragma once

#include "gepnt3d.h"

#include <functional>
#include <string>
#include <vector>

class AcDbEntity;

namespace kz::ed {

enum class DragEventKind { Move, Pick, Keyword, Enter, Cancel };

struct DragEvent {
    DragEventKind kind = DragEventKind::Cancel;
    AcGePoint3d point;    // Move, Pick: the cursor point (world)
    std::wstring keyword; // Keyword: the text as typed
};

// Shows the prompt (without its leading line breaks when repeat is true, on a new
// line) and takes the next drag input. Move and Pick make the point the last point
// and move the cursor there. Text starting with "~" that is no point is refused the
// way a point prompt refuses text (a script stops there; the event is then Cancel).
DragEvent nextDragEvent(const std::wstring& prompt, bool repeat = false);

// Called by the drag library after it updated its preview for a cursor move: preview
// holds the entities it shows (outside the drawing), cursor the cursor point. The host
// passes them to the frame sink (kzdim --frames renders one picture per call).
void showDragFrame(const std::vector<const AcDbEntity*>& preview, const AcGePoint3d& cursor);

using DragFrameSink =
    std::function<void(const std::vector<const AcDbEntity*>& preview, const AcGePoint3d& cursor)>;
void setDragFrameSink(DragFrameSink sink);

} // namespace kz::ed
