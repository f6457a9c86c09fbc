#include "dxf/sections.h"

#include <string>

namespace kz::dxf {

namespace {

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

std::string describe(const Tag& t) {
    return "group code " + std::to_string(t.code) + " with value " + quoteForMessage(t.value);
}

} // namespace

const DxfSection* SectionScan::find(std::string_view name) const {
    for (const DxfSection& s : sections)
        if (s.name == name)
            return &s;
    return nullptr;
}

bool scanSections(const TagFile& file, SectionScan& scan, DxfError& error) {
    scan = SectionScan();
    error = DxfError();
    const std::vector<Tag>& tags = file.tags();
    const std::size_t n = tags.size();
    std::size_t i = 0;
    while (i < n) {
        const Tag& t = tags[i];
        if (t.code == 999) {
            ++i;
            continue;
        }
        if (t.isMarker("EOF")) {
            scan.hasEof = true;
            if (i + 1 < n)
                scan.warnings.push_back(
                    file.errorAt(tags[i + 1], DxfProblem::TextAfterEof,
                                 std::to_string(n - i - 1) + " tags after EOF are ignored"));
            return true;
        }
        if (t.isMarker("ENDSEC")) {
            error = file.errorAt(t, DxfProblem::EndsecWithoutSection, "ENDSEC without SECTION");
            return false;
        }
        if (!t.isMarker("SECTION")) {
            error = file.errorAt(t, DxfProblem::TagOutsideSection,
                                 "expected SECTION or EOF, found " + describe(t));
            return false;
        }
        // NUL characters are dropped from the name, as from every name read: it is
        // written back as a C string.
        std::string name;
        if (i + 1 < n && tags[i + 1].code == 2) {
            name = trimmed(tags[i + 1].value);
            std::erase(name, '\0');
            name = trimmed(name);
        }
        if (name.empty()) {
            const Tag& at = i + 1 < n ? tags[i + 1] : t;
            error = file.errorAt(at, DxfProblem::SectionWithoutName,
                                 i + 1 < n ? "SECTION without a name (expected group code 2, "
                                             "found " +
                                                 describe(tags[i + 1]) + ")"
                                           : "SECTION without a name (the file ends)");
            return false;
        }
        DxfSection s;
        s.name = std::move(name);
        s.line = t.line;
        s.begin = i + 2;
        std::size_t j = s.begin;
        for (; j < n; ++j) {
            const Tag& u = tags[j];
            if (u.code != 0)
                continue;
            if (u.isMarker("ENDSEC"))
                break;
            if (u.isMarker("SECTION") || u.isMarker("EOF")) {
                const bool eof = u.isMarker("EOF");
                error = file.errorAt(u, eof ? DxfProblem::MissingEndsec : DxfProblem::NestedSection,
                                     std::string(eof ? "EOF" : "SECTION") + " inside section " +
                                         std::string(s.name) + " begun at line " +
                                         std::to_string(s.line) + " (missing ENDSEC)");
                return false;
            }
        }
        if (j >= n) {
            error = makeDxfError(file.fileName(), s.line, DxfProblem::MissingEndsec,
                                 "section " + std::string(s.name) +
                                     " has no ENDSEC (the file ends inside it)");
            return false;
        }
        s.end = j;
        scan.sections.push_back(s);
        i = j + 1;
    }
    scan.warnings.push_back(makeDxfError(file.fileName(), 0, DxfProblem::MissingEof,
                                         "the file has no EOF tag at the end"));
    return true;
}

} // namespace kz::dxf
