// The section structure of a DXF file: 0/SECTION, 2/name, the section's tags,
// 0/ENDSEC, and after the last section 0/EOF.
//
// Refused (an error at the offending line):
//  - a SECTION whose next tag is not 2/name;
//  - a SECTION inside a section, EOF inside a section, or the file ending inside a
//    section (all three mean an ENDSEC is missing, and the message says so);
//  - an ENDSEC outside any section;
//  - any other tag between sections (comments, group code 999, are allowed).
// Tolerated (a warning):
//  - a missing EOF: many writers leave it out and nothing is lost;
//  - tags after EOF: ignored.
#pragma once

#include "dxf/dxf_error.h"
#include "dxf/tag_reader.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kz::dxf {

struct DxfSection {
    std::string name;       // "HEADER", "ENTITIES", ... (blanks trimmed, NULs dropped)
    std::size_t begin = 0;  // index of the first tag after 2/name
    std::size_t end = 0;    // index of the 0/ENDSEC tag; [begin, end) is the content
    std::uint32_t line = 0; // line of the 0/SECTION tag
};

struct SectionScan {
    std::vector<DxfSection> sections;
    std::vector<DxfError> warnings;
    bool hasEof = false;

    // The first section of that name, or nullptr.
    const DxfSection* find(std::string_view name) const;
};

// On failure returns false with error filled; scan then holds the sections read so far.
bool scanSections(const TagFile& file, SectionScan& scan, DxfError& error);

} // namespace kz::dxf
