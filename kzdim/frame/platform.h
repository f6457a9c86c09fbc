// The host, Windows, MFC and in-house library interfaces that the module is written
// against, in one place.
#pragma once

#include <windows.h>

#include <afxwin.h>
#include "win_resource.h"

#include "acui.h"

#include "acdocman.h"
#include "aced.h"
#include "acedads.h"
#include "acutads.h"
#include "geassign.h"
#include "adscodes.h"

#include "dbdim.h"
#include "dbents.h"
#include "dbmain.h"
#include "dbmtext.h"
#include "dbpl.h"
#include "dbgroup.h"
#include "gelnsg3d.h"
#include "dbsymtb.h"
#include "rxregsvc.h"

#include "ApiComn.h"
#include "AttributeData.h"
#include "ReplaceReactor.h"
#include "RootComn.h"
#include "RuleComn.h"
#include "Drag.h"
#include "DeZeza.h"
