#include "ed/drag_input.h"
#include "ed/command_line.h"
#include "ed/host_messages.h"
#include "ed/script_input.h"

namespace kz::ed {

namespace {

DragFrameSink& frameSink() {
    static DragFrameSink sink;
    return sink;
}

} // namespace

DragEvent nextDragEvent(const std::wstring& prompt, bool repeat) {
    CommandLine& cl = CommandLine::get();
    DragEvent event;
    if (repeat)
        cl.transcript().newLine();
    cl.ask(repeat ? repeatPrompt(prompt) : prompt,
           [&](const Input& in, Refusal& refusal) -> std::optional<int> {
               if (in.kind == InputKind::Enter) {
                   event.kind = DragEventKind::Enter;
                   return 0;
               }
               bool move = in.text[0] == L'~';
               std::wstring_view text = move ? std::wstring_view(in.text).substr(1) : in.text;
               if (std::optional<AcGePoint3d> p = parsePoint(text, cl.lastPoint())) {
                   event.kind = move ? DragEventKind::Move : DragEventKind::Pick;
                   event.point = *p;
                   cl.pointGiven(*p);
                   return 0;
               }
               if (move) {
                   refusal = {msg(Msg::PointOrKeyword), L"a cursor move \"~x,y\""};
                   return std::nullopt;
               }
               event.kind = DragEventKind::Keyword;
               event.keyword = in.text;
               return 0;
           });
    return event; // Cancel unless the handler set another kind
}

void showDragFrame(const std::vector<const AcDbEntity*>& preview, const AcGePoint3d& cursor) {
    if (frameSink())
        frameSink()(preview, cursor);
}

void setDragFrameSink(DragFrameSink sink) {
    frameSink() = std::move(sink);
}

} // namespace kz::ed
