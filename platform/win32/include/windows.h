// The Windows subset that the module and the in-house libraries use.
#pragma once

#include "win_types.h"
#include "win_codepage.h"
#include "win_error.h"
#include "win_format.h"
#include "win_wstring.h"
#include "win_path.h"
#include "win_module.h"
#include "win_host_options.h"
#include "win_profile.h"
#include "win_version.h"
#include "win_registry.h"
#include "win_user.h"
#include "win_gdi.h"
