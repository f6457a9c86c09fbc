// Writes a compiled script as C++ source defining the module's resource table.
#pragma once

#include "rc_script.h"

namespace kzrc {

struct GeneratorOptions {
    std::string symbol = "kzResourceTable"; // exported name of the kz::ResourceTable
    std::string sourceName;                 // the script, named in the file's heading
};

std::string generateCpp(const Script& script, const GeneratorOptions& options);

// A make-style dependency file: "target: dep dep ...".
std::string generateDepfile(const std::string& target, const std::vector<std::string>& deps);

} // namespace kzrc
