// Reading a DXF file into a database and writing a database as a DXF file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class AcDbDatabase;

namespace kz {

struct DrawingReadResult {
    bool ok = false;
    std::string error;                 // "file:line: what was expected"
    std::vector<std::string> warnings; // problems that were repaired or tolerated
    // Handles two objects of the file had; the second object got a new handle.
    std::vector<std::uint64_t> duplicateHandles;
};

// Fills db, which must be empty (built with buildDefaultDrawing false). On failure db
// holds whatever was read before the error and must not be used.
DrawingReadResult readDrawing(const std::string& path, AcDbDatabase& db);
DrawingReadResult readDrawingFromText(const std::string& fileName, std::string text,
                                      AcDbDatabase& db);

// The whole drawing as 2013-format DXF text (AC1027, UTF-8).
bool writeDrawingToText(AcDbDatabase& db, std::string& out, std::string& error);
// Writes atomically: the file is complete or untouched.
bool writeDrawing(AcDbDatabase& db, const std::string& path, std::string& error);

} // namespace kz
