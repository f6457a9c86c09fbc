// Linked into every application: the interface version it was built against, exported
// so that the host can refuse an application built for another release.
#include "rxregsvc.h"

extern "C" __attribute__((visibility("default"))) int acrxGetApiVersion() {
    return ACRX_API_VERSION;
}
