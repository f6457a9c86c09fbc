// What every drawing needs: the nine symbol tables with their standard records, model
// and paper space with their layouts, and the root dictionaries. A new drawing gets all
// of it; a drawing read from a file gets whatever it lacks.
#pragma once

#include "db/symbol_lookup.h"

class AcDbDatabase;

namespace kz {

void buildDefaultDrawing(AcDbDatabase& db);
// Finds the well-known objects of the database by name and adds the missing ones; what
// it had to replace is told in the database's warnings.
void ensureEssentials(AcDbDatabase& db);
// The tables, their standard records and model and paper space (not the dictionaries):
// what entities need before they can be read.
void ensureSymbols(AcDbDatabase& db);
// Adds one symbol table if the database has none of that kind.
void ensureTable(AcDbDatabase& db, SymbolTable table);

} // namespace kz
