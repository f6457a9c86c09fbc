// Opening and closing the host's one document, and the resource handle stack, for the
// host itself.
#pragma once

#include "acdocman.h"
#include "win_types.h"

#include <memory>
#include <string>

class AcDbDatabase;

namespace kz::ed {

// Makes the database the open document and the working database (the host owns it
// from now on), zooms the view to its extents and tells the reactors
// (documentCreated, documentBecameCurrent). An open document is closed first.
AcApDocument* openDocument(std::unique_ptr<AcDbDatabase> database, const std::wstring& fileName);
// Tells the reactors (documentToBeDestroyed), then deletes the database
// (documentDestroyed after). Nothing happens without an open document.
void closeDocument();
// The open document's database, or null.
AcDbDatabase* documentDatabase();

// Drops every pushed resource handle (restoring the one before the first push) and
// every reactor.
void resetDocumentManager();

} // namespace kz::ed
