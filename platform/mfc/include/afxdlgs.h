// Included by MFC code for its dialog classes; on this host everything it needs is in afxwin.h.
#pragma once

#include "afxwin.h"
#include "afxdll_.h"
