// The host's editor interface: the command stack, the input functions and the
// selection keyword callback.
#pragma once

#include "accmd.h"
#include "acedads.h"
#include "rxregsvc.h"
