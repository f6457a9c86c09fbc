// The host's character type: wide characters throughout.
#pragma once

using ACHAR = wchar_t;
#ifndef ACRX_T
#define ACRX_T(x) L##x
#endif
#ifndef ACHAR_T
#define ACHAR_T(x) L##x
#endif
