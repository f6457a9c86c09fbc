// Included by MFC code for its common controls; on this host everything it needs is in afxwin.h.
#pragma once

#include "afxwin.h"
#include "afxdll_.h"
