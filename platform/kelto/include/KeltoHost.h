// The inner working of Kelto.arx, for its command and its tests: where its ini file
// lives, the parameters of KZ_REJOB1, and the re-layout KZ_REJOB1 makes.
#pragma once

#include "dbmain.h"
#include "gepnt3d.h"
#include "gevec3d.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kz::kelto {

// ---- ini file ----

// "ini" beside Kelto.arx: the bundled Kelto.ini and its system folder.
std::filesystem::path bundledIniFolder();
// $XDG_CONFIG_HOME/kzdim when that variable holds an absolute path, else
// $HOME/.config/kzdim.
std::filesystem::path userConfigFolder();
// userFolder/Kelto.ini, made from bundledFolder/Kelto.ini when it does not exist yet; a
// relative system folder ("ｼｽﾃﾑ" of "環境設定") in the copy becomes the absolute path of
// the bundled one. Never fails: a copy that cannot be made leaves the path to a file
// that does not exist (reads find nothing, writes try to create it).
std::filesystem::path ensureUserIniFile(const std::filesystem::path& bundledFolder,
                                        const std::filesystem::path& userFolder);

// ---- KZ_REJOB1 ----

struct RejobParams {
    int mode = 0;
    AcDbObjectId base;
    AcGePoint3d insertionPoint;
};
// The parameters set by KZAddinAutoCommParam, taken (each set serves one KZ_REJOB1).
std::optional<RejobParams> takeRejobParams();

// The displacement that a typed "@dx,dy[,dz]" (relative) or "x,y[,z]" (the base
// element's new insertion point; z kept when not given) stands for; nothing for any
// other text.
std::optional<AcGeVector3d> parseDisplacement(std::wstring_view text,
                                              const AcGePoint3d& insertionPoint);

// What a re-layout changes.
struct RejobPlan {
    AcDbObjectId segment;                // the straight element that is stretched
    bool movingEndIsSecond = true;       // which end of its root follows the displacement
    double oldLength = 0, newLength = 0; // of its root
    std::vector<AcDbObjectId> moved;     // the base element and the elements on its side
};

// The plan for moving base by displacement: the edited segment is the straight element
// (identifier "RT…") nearest to the base element through connections within its route,
// whose root runs along the displacement (any straight element for a zero
// displacement); the moved elements are those still joined to the base element when
// the segment is taken out (the base element itself only while it is not erased).
// Nothing, with the reason in why, when there is no such segment, when the route closes
// on itself around it, or when it would end up 0.5 drawing units long or shorter.
std::optional<RejobPlan> planRejob(AcDbObjectId base, const AcGeVector3d& displacement,
                                   std::wstring& why);

// Carries the plan out: the moved elements are translated, the segment is replaced by
// a stretched copy (a new reference, scaled along its block's x axis, its fixed end in
// place) that takes its place in the route group, the segment is erased and the
// replace reactors are told (old segment, [copy]). Returns eOk and the copy's id, or an
// error before anything was changed (a segment whose root does not run along its
// block's x axis).
Acad::ErrorStatus applyRejob(const RejobPlan& plan, const AcGeVector3d& displacement,
                             AcDbObjectId& replacement);

} // namespace kz::kelto
