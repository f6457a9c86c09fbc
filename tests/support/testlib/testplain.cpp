// A module without DllMain or resources of its own, linked to one that has both.
#include "testlib.h"

extern "C" int kzTestAdd(int a, int b);

extern "C" int kzTestPlainTwice(int a) {
    return kzTestAdd(a, a);
}
