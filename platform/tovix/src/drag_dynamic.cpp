// CDrag::Dynamic: the drag loop over the editor's drag input, and the preview frames.
#include "Drag.h"

#include "adscodes.h"
#include "dbents.h"
#include "ed/command_line.h"
#include "ed/drag_input.h"
#include "ed/host_messages.h"
#include "win_format.h"

#include <exception>
#include <string>

namespace {

// Runs one of the caller's callbacks when it was given.
void call(DragCallback f, dragdata& data) {
    if (f)
        f(&data);
}

void call(DragNotify f, dragdata& data) {
    if (f)
        f(&data);
}

} // namespace

// The prompt as shown: the caller's text (or the host's own), then the offered labels
// in brackets, then ": ". A colon the text ends with is put after the labels.
CString CDrag::promptText(const wchar_t* prompt) const {
    std::wstring text;
    if (m_userPrompt && prompt)
        text = prompt;
    else
        text = kz::ed::hostIsJapanese() ? L"点を指定" : L"Specify point";
    while (!text.empty() && (text.back() == L' ' || text.back() == L':'))
        text.pop_back();
    if (!m_labels.empty()) {
        text += L" [";
        for (std::size_t i = 0; i < m_labels.size(); ++i)
            text += (i ? L"/" : L"") + std::wstring(m_labels[i].GetString());
        text += L"]";
    }
    text += L": ";
    return CString(std::wstring_view(text));
}

// One preview frame: the shown entities that are not in the drawing and, when the
// read-out is on, the distance from the drag's start point as a text near the cursor.
void CDrag::showFrame(const dragdata& data) const {
    std::vector<const AcDbEntity*> preview;
    for (const Held& held : m_held) {
        if (held.shown && !held.inDrawing)
            preview.push_back(held.entity);
    }
    AcDbText readout;
    if (m_distance) {
        double s = scale();
        std::wstring text = kz::formatWide(L"%.4f", data.point.distanceTo(m_start));
        readout.setPosition(data.point + AcGeVector3d(m_distOffsetX * s, m_distOffsetY * s, 0.0));
        readout.setHeight(m_distHeight * s);
        readout.setTextString(text.c_str());
        preview.push_back(&readout);
    }
    kz::ed::showDragFrame(preview, data.point);
}

int CDrag::Dynamic(wchar_t* prompt, DragCallback end, DragCallback stop, DragCallback sample,
                   DragNotify begin, void* user, DragNotify finish, bool preview, double, double,
                   double, double) {
    dragdata data;
    try {
        kz::ed::CommandLine& line = kz::ed::CommandLine::get();
        m_start = line.lastPoint();
        data.point = m_start;
        data.user = user;
        data.drag = this;
        const std::wstring shown = std::wstring(L"\n") + promptText(prompt).GetString();

        notifyDrag(true, &data);
        call(begin, data);
        int result = RTCAN;
        for (bool repeat = false;; repeat = true) {
            kz::ed::DragEvent event = kz::ed::nextDragEvent(shown, repeat);
            if (event.kind == kz::ed::DragEventKind::Move ||
                event.kind == kz::ed::DragEventKind::Pick) {
                data.point = event.point;
                call(sample, data);
                noteEntitiesInDrawing();
                if (preview)
                    showFrame(data);
                if (event.kind == kz::ed::DragEventKind::Pick) {
                    call(end, data);
                    noteEntitiesInDrawing();
                    result = RTNORM;
                    break;
                }
            } else if (event.kind == kz::ed::DragEventKind::Keyword) {
                if (m_optionFunc == nullptr) {
                    kz::ed::Input in{kz::ed::InputKind::Text, event.keyword, line.lastWhere()};
                    if (line.refuse(in, {kz::ed::msg(kz::ed::Msg::PointOrKeyword),
                                         L"a point or a cursor move \"~x,y\""}))
                        continue;
                    call(stop, data);
                    break;
                }
                data.keyword = CString(std::wstring_view(event.keyword));
                m_optionFunc(&data);
                data.keyword.Empty();
                noteEntitiesInDrawing();
            } else {
                result = event.kind == kz::ed::DragEventKind::Enter ? RTNONE : RTCAN;
                call(stop, data);
                noteEntitiesInDrawing();
                break;
            }
        }
        call(finish, data);
        notifyDrag(false, &data);
        return result;
    } catch (const std::exception&) {
        // Nothing escapes to the caller: the drag ends as failed.
    } catch (...) {
    }
    noteEntitiesInDrawing();
    return RTERROR;
}
