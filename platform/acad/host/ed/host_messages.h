// The host's own texts on the command line (prompts, answers to invalid input). They
// are in Japanese when the user-interface language (kz::hostUiLanguage, `kzdim --lang`)
// is Japanese, the default, and in English for any other language.
#pragma once

#include <string>

namespace kz::ed {

enum class Msg {
    CommandPrompt,        // the command prompt
    Cancel,               // a cancelled prompt
    UnknownCommand,       // %s: the name typed
    PointOrKeyword,       // invalid text at a point prompt
    InvalidKeyword,       // invalid text at a keyword prompt
    RealRequired,         // invalid text at a number prompt
    IntegerRequired,      // invalid text at an integer prompt
    ValueNonZero,         // acedInitGet bit 2
    ValuePositive,        // acedInitGet bit 4
    ValuePositiveNonZero, // bits 2 and 4
    SelectObjects,        // the selection prompt
    RemoveObjects,        // the selection prompt after "R"
    SelectObject,         // the prompt of a single-entity pick
    FirstCorner,          // "W" and "C"
    OppositeCorner,       // "W", "C" and a pick that found nothing
    InvalidSelection,     // %s: the application's keywords ("/Op"), or empty
    FoundFirst,           // %d found
    FoundTotal,           // %d found, %d in the set
    FoundDuplicates,      // %d found, %d of them in the set already, %d in the set
    RemovedTotal,         // %d found, %d removed, %d in the set
    FilteredOutOne,       // one object refused by the filter
    FilteredOutMany,      // %d objects refused by the filter
    ModuleLoadFailed,     // %s: the module, %s: why
    ModuleNoEntryPoint,   // why: no entry point
    ModuleWrongVersion,   // why: acrxGetApiVersion names another interface
    ModuleInitRefused,    // why: kRetError to kInitAppMsg
    ModuleInitThrew,      // why: an exception left the entry point
    ModuleLoaded,         // %s: the module
    ModuleUnloaded,       // %s: the module
    ModuleLocked,         // %s: the module
    CommandFailed,        // %s: the command, %s: the exception's text
};

// The text of the message in the host's language; printf-style conversions (%s, %d)
// are for kz::formatWide.
const wchar_t* msg(Msg id);
// True when the host speaks Japanese (primary language of kz::hostUiLanguage).
bool hostIsJapanese();

} // namespace kz::ed
