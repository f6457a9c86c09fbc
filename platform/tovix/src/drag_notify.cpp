// CDrag's process-wide parts: the notification hooks and the view scale.
//
// The command hooks ride on the editor's command hooks. The end hook runs after a
// command has ended, and only for commands that started after the hooks were
// installed: a command that installs a clean-up hook while it runs (and queues another
// command that still needs what it made) sees the clean-up run when that queued command
// is over, not when it itself ends or the queued one starts.
#include "Drag.h"

#include "ed/command_line.h"
#include "ed/command_loop.h"

#include <cmath>

namespace {

struct NotifyHooks {
    DragNotify commandStart = nullptr, commandEnd = nullptr;
    DragNotify dragStart = nullptr, dragEnd = nullptr;
    int beforeId = 0, afterId = 0;
    int running = 0; // commands running that started after the hooks were installed
};

NotifyHooks& hooks() {
    static NotifyHooks h;
    return h;
}

double& viewScale() {
    static double s = 1.0;
    return s;
}

// A record for the command hooks: the cursor, no drag, no user data.
void callCommandHook(DragNotify f) {
    if (f == nullptr)
        return;
    dragdata data;
    data.point = kz::ed::CommandLine::get().lastPoint();
    f(&data);
}

} // namespace

void CDrag::notifyFunc(DragNotify commandStart, DragNotify commandEnd, DragNotify dragStart,
                       DragNotify dragEnd) {
    NotifyHooks& h = hooks();
    // Ids of hooks a host restart already cleared are simply not found.
    kz::ed::removeCommandHook(h.beforeId);
    kz::ed::removeCommandHook(h.afterId);
    h = NotifyHooks{commandStart, commandEnd, dragStart, dragEnd};
    if (commandStart == nullptr && commandEnd == nullptr)
        return;
    h.beforeId = kz::ed::addBeforeCommandHook([](const std::wstring&) {
        ++hooks().running;
        callCommandHook(hooks().commandStart);
    });
    h.afterId = kz::ed::addAfterCommandHook([](const std::wstring&) {
        if (hooks().running == 0)
            return;
        --hooks().running;
        callCommandHook(hooks().commandEnd);
    });
}

void CDrag::notifyDrag(bool starting, dragdata* data) {
    DragNotify f = starting ? hooks().dragStart : hooks().dragEnd;
    if (f)
        f(data);
}

double CDrag::scale() {
    return viewScale();
}

bool kz::setDragViewScale(double scale) {
    if (!std::isfinite(scale) || scale <= 0.0)
        return false;
    viewScale() = scale;
    return true;
}
