#include "acarray.h"

#include <cstdio>
#include <cstdlib>

void acArrayReportBadIndex(const char* operation, int index, int logicalLength, bool abortAfter) {
    std::fprintf(stderr, "AcArray::%s: index %d outside an array of length %d\n", operation, index,
                 logicalLength);
    std::fflush(stderr);
    if (abortAfter)
        std::abort();
}
