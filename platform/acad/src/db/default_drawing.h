// The contents of a new drawing: the symbol tables with their standard records, model
// and paper space with their layouts, and the root dictionaries.
#pragma once

class AcDbDatabase;

namespace kz {

void buildDefaultDrawing(AcDbDatabase& db);

} // namespace kz
