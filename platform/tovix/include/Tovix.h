// Everything Tovix offers: the common API and the drag loop.
#pragma once

#include "ApiComn.h"
#include "Drag.h"
