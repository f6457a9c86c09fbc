// Included by MFC code for its extension classes; on this host everything it needs is in afxwin.h.
#pragma once

#include "afxwin.h"
#include "afxdll_.h"
