#include "acdocman.h"
#include "afxwin.h"
#include "dbextents.h"
#include "dbmain.h"
#include "dbsymtb.h"
#include "ed/command_line.h"
#include "ed/document_host.h"
#include "ed/drawing_view.h"

#include <algorithm>
#include <vector>

ACRX_NO_CONS_DEFINE_MEMBERS(AcApDocument, AcRxObject)
ACRX_NO_CONS_DEFINE_MEMBERS(AcApDocManagerReactor, AcRxObject)
ACRX_NO_CONS_DEFINE_MEMBERS(AcApDocManager, AcRxObject)

namespace {

struct DocState {
    std::unique_ptr<AcDbDatabase> database;
    std::unique_ptr<AcApDocument> document;
    std::vector<HINSTANCE> resources; // what each push replaced
    std::vector<AcApDocManagerReactor*> reactors;
};

DocState& state() {
    static DocState s;
    return s;
}

// Reactors may add or remove reactors while they are told; each is told once.
template <class F> void tellReactors(F&& f) {
    std::vector<AcApDocManagerReactor*> copy = state().reactors;
    for (AcApDocManagerReactor* r : copy) {
        if (std::find(state().reactors.begin(), state().reactors.end(), r) !=
            state().reactors.end())
            f(r);
    }
}

AcDbExtents modelSpaceExtents(AcDbDatabase* db) {
    AcDbExtents all;
    AcDbBlockTableRecord* space = nullptr;
    if (acdbOpenObject(space, db->currentSpaceId(), AcDb::kForRead) != Acad::eOk)
        return all;
    for (AcDbObjectId id : space->kzEntities()) {
        AcDbEntity* ent = nullptr;
        if (acdbOpenObject(ent, id, AcDb::kForRead) != Acad::eOk)
            continue;
        AcDbExtents e;
        if (ent->getGeomExtents(e) == Acad::eOk)
            all.addExt(e);
        ent->close();
    }
    space->close();
    return all;
}

std::wstring titleOf(const std::wstring& fileName) {
    if (fileName.empty())
        return L"Drawing1.dwg";
    std::size_t slash = fileName.find_last_of(L"/\\");
    return slash == std::wstring::npos ? fileName : fileName.substr(slash + 1);
}

} // namespace

AcApDocument::AcApDocument(AcDbDatabase* database, std::wstring fileName)
    : m_database(database), m_fileName(std::move(fileName)), m_title(titleOf(m_fileName)) {}

AcApDocument* AcApDocManager::curDocument() const {
    return state().document.get();
}

Acad::ErrorStatus AcApDocManager::pushResourceHandle(HINSTANCE hNewResourceHandle) {
    state().resources.push_back(AfxGetResourceHandle());
    AfxSetResourceHandle(hNewResourceHandle);
    return Acad::eOk;
}

Acad::ErrorStatus AcApDocManager::popResourceHandle() {
    if (state().resources.empty())
        return Acad::eNotApplicable;
    AfxSetResourceHandle(state().resources.back());
    state().resources.pop_back();
    return Acad::eOk;
}

Acad::ErrorStatus AcApDocManager::sendStringToExecute(AcApDocument* pAcTargetDocument,
                                                      const ACHAR* pszExecute, bool, bool,
                                                      bool) {
    if (pszExecute == nullptr || pAcTargetDocument == nullptr ||
        pAcTargetDocument != state().document.get())
        return Acad::eInvalidInput;
    // The transcript is the record of every input: queued text is always shown when it
    // is taken, whatever bEchoString asks.
    kz::ed::CommandLine::get().queue(pszExecute, true);
    return Acad::eOk;
}

void AcApDocManager::addReactor(AcApDocManagerReactor* reactor) {
    if (reactor == nullptr)
        return;
    auto& list = state().reactors;
    if (std::find(list.begin(), list.end(), reactor) == list.end())
        list.push_back(reactor);
}

void AcApDocManager::removeReactor(AcApDocManagerReactor* reactor) {
    std::erase(state().reactors, reactor);
}

AcApDocManager* acDocManagerPtr() {
    static AcApDocManager manager;
    return &manager;
}

namespace kz::ed {

AcApDocument* openDocument(std::unique_ptr<AcDbDatabase> database, const std::wstring& fileName) {
    closeDocument();
    DocState& s = state();
    s.database = std::move(database);
    s.document = std::make_unique<AcApDocument>(s.database.get(), fileName);
    acdbHostApplicationServices()->setWorkingDatabase(s.database.get());
    // A new drawing shows the area of a new drawing, a drawing with entities all of them.
    drawingView().center = DrawingView().center;
    drawingView().viewHeight = DrawingView().viewHeight;
    drawingView().zoomExtents(modelSpaceExtents(s.database.get()));
    AcApDocument* doc = s.document.get();
    tellReactors([&](AcApDocManagerReactor* r) { r->documentCreated(doc); });
    tellReactors([&](AcApDocManagerReactor* r) { r->documentBecameCurrent(doc); });
    return doc;
}

void closeDocument() {
    DocState& s = state();
    if (!s.document)
        return;
    AcApDocument* doc = s.document.get();
    tellReactors([&](AcApDocManagerReactor* r) { r->documentToBeDestroyed(doc); });
    std::wstring fileName = doc->fileName();
    if (acdbHostApplicationServices()->workingDatabase() == s.database.get())
        acdbHostApplicationServices()->setWorkingDatabase(nullptr);
    s.document.reset();
    s.database.reset();
    tellReactors([&](AcApDocManagerReactor* r) { r->documentDestroyed(fileName.c_str()); });
}

AcDbDatabase* documentDatabase() {
    return state().database.get();
}

void resetDocumentManager() {
    if (!state().resources.empty())
        AfxSetResourceHandle(state().resources.front());
    state().resources.clear();
    state().reactors.clear();
}

} // namespace kz::ed
