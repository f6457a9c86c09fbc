// The host's command-line input functions, selection sets and entity picking. Every
// function answers with the status codes of adscodes.h: RTNORM, RTNONE (Enter),
// RTCAN (cancelled, or the input ended inside a command), RTKWORD (a keyword: read it
// with acedGetInput), RTERROR.
#pragma once

#include "AdAChar.h"
#include "adscodes.h"
#include "adsdef.h"
#include "acutads.h"
#include "win_types.h"

#include <cstddef>

// acedInitGet bits.
#define RSG_NONULL 0x0001 // Enter is refused
#define RSG_NOZERO 0x0002 // 0 is refused (numbers)
#define RSG_NONEG 0x0004  // negative numbers are refused
#define RSG_NOLIM 0x0008
#define RSG_GETZ 0x0010
#define RSG_DASH 0x0020
#define RSG_2D 0x0040
#define RSG_OTHER 0x0080 // any text is taken as a keyword

// ---- input ----

// Sets the bits and the keyword list ("Op _ Point": local keywords, "_", their global
// forms) for the next input function only.
int acedInitGet(int val, const ACHAR* kwl);
// A point: "x,y", "x,y,z", "@dx,dy", polar "d<a", or a keyword. pt, when given, is the
// base point of the rubber band. Invalid text is answered "Point or option keyword
// required." and asked again.
int acedGetPoint(const ads_point pt, const ACHAR* prompt, ads_point result);
// A distance: a number, or a point whose distance from pt (required then) is taken.
int acedGetDist(const ads_point pt, const ACHAR* prompt, ads_real* result);
int acedGetReal(const ACHAR* prompt, ads_real* result);
int acedGetInt(const ACHAR* prompt, int* result);
// A text. With cronly non-zero it may hold blanks (only the end of the line ends it).
// Enter gives RTNORM and "". result holds bufLen characters (133 when not given); a
// longer text is cut and RTINPUTTRUNCATED returned.
int acedGetString(int cronly, const ACHAR* prompt, ACHAR* result, std::size_t bufLen);
int acedGetString(int cronly, const ACHAR* prompt, ACHAR* result);
// One of the keywords of the acedInitGet list; result gets its global form.
int acedGetKword(const ACHAR* prompt, ACHAR* result, std::size_t bufLen);
int acedGetKword(const ACHAR* prompt, ACHAR* result);
// The keyword of the last RTKWORD (its global form), or the text taken with RSG_OTHER.
int acedGetInput(ACHAR* str, std::size_t bufLen);
int acedGetInput(ACHAR* str);
// Shows text on the command line.
int acedPrompt(const ACHAR* str);

// ---- selection sets ----

// Modes: none (objects are selected until Enter, with the host's prompts or the
// pair given with ":$"), "_:$:K" (the pair of prompts in str1 - for adding and for
// removing -, the keyword list in str2; keywords go to the callback of
// acedSSSetKwordCallbackPtr), "_:$:S" (prompts in str1, one selection ends it), ":S",
// ":$", "I" (the pick-first set, no prompt), "X" (the whole space, no prompt), "W" and
// "C" (str1 and str2 are the two corners), "L" (the last entity) and none with str1 a
// point (the entity under it). A leading "_" is allowed. RTNORM with a set that holds
// at least one entity, RTERROR when nothing was selected or the mode or filter cannot
// be used, RTCAN when cancelled. The set is freed with acedSSFree.
int acedSSGet(const ACHAR* str, const void* pt1, const void* pt2, const resbuf* filter,
              ads_name ss);
int acedSSFree(const ads_name ss);
int acedSSLength(const ads_name ss, Adesk::Int32* len);
int acedSSLength(const ads_name ss, long* len);
// The same as acedSSLength.
int spedSSLength(const ads_name ss, Adesk::Int32* len);
int spedSSLength(const ads_name ss, long* len);
// The i-th entity (0-based) of the set; RTERROR past the end.
int acedSSName(const ads_name ss, Adesk::Int32 i, ads_name entres);
// ename and ss null: a new empty set in result. ename given, ss null: a new set holding
// it. Both given: ename added to ss (once), result names ss.
int acedSSAdd(const ads_name ename, const ads_name sname, ads_name result);
int acedSSDel(const ads_name ename, const ads_name ss);
// RTNORM when the entity is in the set, RTERROR otherwise.
int acedSSMemb(const ads_name ename, const ads_name ss);
// Makes the set the pick-first set (null clears it). The set stays the caller's.
int acedSSSetFirst(const ads_name pset, const ads_name unused);
// A new set holding the pick-first set in *pset (null when it is empty).
int acedSSGetFirst(resbuf** gset, resbuf** pset);

// The callback that receives keywords typed at a ":K" selection prompt (their global
// form). It returns null (selection goes on), or a chain to act on: RTENAME items and
// RTPICKS sets are added to the selection, RTSTR becomes the prompt. The host frees the
// chain.
typedef resbuf* (*AcEdSSGetKwordCallback)(const ACHAR* kword);
int acedSSSetKwordCallbackPtr(AcEdSSGetKwordCallback pFunc);
int acedSSGetKwordCallbackPtr(AcEdSSGetKwordCallback* ppFunc);

// ---- entities ----

// The entity under a picked point. acedNEntSelP goes into block references: entres is
// the innermost entity, xformres its coordinates-to-world matrix, refstkres the block
// references that hold it (innermost first, RTENAME items; null for an entity of the
// space). With pickflag non-zero ptres is the pick point and nothing is asked. RTERROR
// when nothing is there or on Enter.
int acedEntSel(const ACHAR* str, ads_name entres, ads_point ptres);
int acedNEntSelP(const ACHAR* str, ads_name entres, ads_point ptres, int pickflag,
                 ads_matrix xformres, resbuf** refstkres);
// The last entity added to the current space that is not erased.
int acdbEntLast(ads_name result);

// ---- windows ----

// The host's main window and its drawing window, as parents for dialogs.
HWND adsw_acadMainWnd();
HWND adsw_acadDocWnd();
class CWnd;
class CView;
// The drawing view and the main frame as MFC windows.
CView* acedGetAcadDwgView();
CWnd* acedGetAcadFrame();
// The viewport under a screen position: 2 (the model-space view) inside the drawing
// window's client area, 0 elsewhere.
int acedGetWinNum(int ptx, int pty);
// World point to the pixel in the viewport window's client area and back.
// Adesk::kFalse for an unknown viewport.
Adesk::Boolean acedCoordFromWorldToPixel(int windnum, const ads_point in_pt, POINT& out_pt);
Adesk::Boolean acedCoordFromPixelToWorld(int windnum, POINT in_pt, ads_point out_pt);
