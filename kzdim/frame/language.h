// The choice of the resource module: the module's own (Japanese) resources, or a
// language module beside the module in a folder named by the language identifier.
#pragma once

#include "frame/platform.h"

// Reads the language from the host add-in's ini file (or the system) and sets the
// resource module, loading a language module when the language is not Japanese.
void ChooseResourceLanguage();

// The system's user-interface language, used when the ini file names none.
LANGID GetSystemUILanguage();

// Loads <drive><dir><language>\<base name>.dll for the module; null (and an error line)
// when it cannot be loaded.
HINSTANCE LoadLanguageModule(LANGID language);
