// The commands of the editor test application. Each prints what the host gave it,
// so that a transcript shows every result.
#pragma once

#include "aced.h"
#include "dbmain.h"

#include <string>

namespace edtest {

void cmdSetup();     // TSETUP: the fixture drawing
void cmdList();      // TLIST: ordinary selection
void cmdPointMode(); // TSSKW: "_:$:K" with the point-mode keyword callback
void cmdSingle();    // TSINGLE: "_:$:S" with a filter, asked until something is taken
void cmdImplied();   // TIMPLIED: "I", then "_:$:S" (registered with ACRX_CMD_USEPICKSET)
void cmdSetFirst();  // TSETFIRST: makes the selected objects the pick-first set
void cmdNested();    // TNENT: acedNEntSelP
void cmdPoint();     // TPOINT: points and keywords
void cmdNumbers();   // TNUM: numbers, text and a keyword prompt
void cmdSend();      // TSEND: text sent to the command line
void cmdCancel();    // TCANCEL: asks for points until cancelled
void cmdDialog();    // TDIALOG: dialog lines through the host's line input
void cmdLine();      // TLINE: a line between two points
void cmdDrag();      // TDRAG: a rubber-band line in a drag loop, committed by a pick

// "1A3" for the entity named, "?" when it has none.
std::wstring handleOf(const ads_name name);
std::wstring handleOf(AcDbObjectId id);
// A text for a status code ("RTNORM").
const wchar_t* statusName(int status);

} // namespace edtest
