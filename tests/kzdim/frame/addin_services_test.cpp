// The module looks the host add-in's services up by name and calls them through pointer
// types of its own. A pointer type that differs from the function's (a void result for
// an int one) still compiles and mostly works, but the call is undefined (clang's
// function sanitizer stops on it). Here each of the module's types must take the
// add-in's function itself, and the call through it gives the add-in's result.
#include "Kelto.h"
#include "frame/host_addin.h"

#include <gtest/gtest.h>

namespace {

TEST(AddinServices, TheModulesPointerTypesAreTheAddinsFunctions) {
    KZAddinGetIniFileFn iniFile = &KZAddinGetIniFile;
    KZAddinGetFontFn font = &KZAddinGetFont;
    KZAddinGetLinkRootEXFn linkRoot = &KZAddinGetLinkRootEX;
    KZAddinAutoCommParamFn autoComm = &KZAddinAutoCommParam;
    (void)iniFile; // not called: it copies the bundled ini file into the user's folder
    EXPECT_NE(font(), nullptr);
    // The add-in refuses a null list and a null element with -1.
    EXPECT_EQ(linkRoot(AcDbObjectId(), nullptr), -1);
    EXPECT_EQ(autoComm(1, AcDbObjectId(), nullptr), -1);
}

} // namespace
