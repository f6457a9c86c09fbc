// Name lookups in the database's symbol tables that bypass the open and close
// bookkeeping: for the host's own use while reading files and writing entity fields.
#pragma once

#include "dbfiler.h"
#include "dbmain.h"

#include <string>

namespace kz {

enum class SymbolTable { Block, Layer, Linetype, TextStyle, RegApp, DimStyle };

AcDbObjectId findSymbol(AcDbDatabase* db, SymbolTable table, const ACHAR* name);
// Finds the record, or adds one with this name (a drawing that names a layer or
// linetype it does not define gets it, as the host's audit does). Null for an empty
// or invalid name.
AcDbObjectId findOrAddSymbol(AcDbDatabase* db, SymbolTable table, const std::wstring& name);
// Reads the name at the filer's item into id, found or added as above. A name no record
// can have (a damaged file's "*" or "|") leaves id as it was and the item is kept as
// read, so that a save writes the name again.
void readSymbolField(AcDbDxfFiler* filer, SymbolTable table, AcDbObjectId& id);
// The record's name; empty for a null or dead id.
std::wstring symbolName(AcDbObjectId id);
AcDbObjectId tableId(AcDbDatabase* db, SymbolTable table);

} // namespace kz
