// A module with DllMain, a resource table marker and a function.
#include "testlib.h"

#include <cstdlib>

namespace {
KzTestLogFn gLog = nullptr;
KzTestAttachInfo gInfo{};

struct UnloadWitness {
    ~UnloadWitness() {
        if (gLog)
            gLog("unloaded", nullptr);
    }
} gWitness;
} // namespace

extern "C" {

// "extern": a const object would otherwise not be exported.
extern const int kzResourceTable[2] = {0x4B5A, 1};

BOOL DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_ATTACH) {
        ++gInfo.attachCount;
        gInfo.instance = instance;
        gInfo.reserved = reserved;
        GetModuleFileNameW(instance, gInfo.path, MAX_PATH);
        // The tests make the attach fail through the environment.
        if (std::getenv("KZ_TESTLIB_REFUSE_ATTACH"))
            return FALSE;
    }
    if (reason == DLL_PROCESS_DETACH && gLog)
        gLog("detach", instance);
    return TRUE;
}

void kzTestSetLog(KzTestLogFn log) {
    gLog = log;
}

const KzTestAttachInfo* kzTestAttachInfo() {
    return &gInfo;
}

int kzTestAdd(int a, int b) {
    return a + b;
}
}
