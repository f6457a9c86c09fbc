// The Windows subset that the module and the in-house libraries use.
#pragma once

#include "win_types.h"
#include "win_codepage.h"
