// kzrc: compiles a resource script (.rc, UTF-8) into a C++ source file that defines
// the module's exported resource table.
//
//   kzrc [-I dir]... [--symbol name] [--depfile file] [--language langid] -o out.cpp in.rc
#include "rc_generator.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>

namespace {

int usage() {
    std::cerr << "usage: kzrc [-I dir]... [--symbol name] [--depfile file] [--language langid] "
                 "-o out.cpp in.rc\n";
    return 2;
}

bool writeFile(const std::string& path, const std::string& text) {
    // Written beside the target and renamed, so a failed run leaves no half file.
    const std::string temp = path + ".tmp";
    {
        std::ofstream out(temp, std::ios::binary);
        out << text;
        if (!out.flush()) {
            std::cerr << "kzrc: cannot write " << temp << "\n";
            return false;
        }
    }
    std::error_code ec;
    std::filesystem::rename(temp, path, ec);
    if (ec) {
        std::cerr << "kzrc: cannot write " << path << ": " << ec.message() << "\n";
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    kzrc::Options options;
    kzrc::GeneratorOptions gen;
    std::string input, output, depfile;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&]() -> const char* { return i + 1 < argc ? argv[++i] : nullptr; };
        const char* v = nullptr;
        if (arg == "-I" && (v = value())) {
            options.includeDirs.push_back(v);
        } else if (arg.rfind("-I", 0) == 0 && arg.size() > 2) {
            options.includeDirs.push_back(arg.substr(2));
        } else if (arg == "-o" && (v = value())) {
            output = v;
        } else if (arg == "--symbol" && (v = value())) {
            gen.symbol = v;
        } else if (arg == "--depfile" && (v = value())) {
            depfile = v;
        } else if (arg == "--language" && (v = value())) {
            options.defaultLanguage = static_cast<std::uint16_t>(std::strtoul(v, nullptr, 0));
        } else if (!arg.empty() && arg[0] != '-' && input.empty()) {
            input = arg;
        } else {
            return usage();
        }
    }
    if (input.empty() || output.empty()) {
        return usage();
    }
    try {
        const kzrc::Script script = kzrc::compileFile(input, options);
        gen.sourceName = std::filesystem::path(input).filename().string();
        if (!writeFile(output, kzrc::generateCpp(script, gen))) {
            return 1;
        }
        if (!depfile.empty() &&
            !writeFile(depfile, kzrc::generateDepfile(output, script.dependencies))) {
            return 1;
        }
    } catch (const kzrc::RcError& e) {
        std::cerr << e.what() << "\n";
        return 1;
    } catch (const std::exception& e) {
        std::cerr << input << ": " << e.what() << "\n";
        return 1;
    }
    return 0;
}
