// The document manager: the open drawings (one in this host), the resource handles
// dialogs are made from, text sent to the command line, and reactors told about
// documents coming and going.
#pragma once

#include "AdAChar.h"
#include "acadstrc.h"
#include "rxobject.h"
#include "win_types.h"

#include <string>

class AcDbDatabase;

class AcApDocument : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(AcApDocument);

    AcDbDatabase* database() const { return m_database; }
    // The drawing's file path; "" for a new drawing.
    const ACHAR* fileName() const { return m_fileName.c_str(); }
    // The file name without the folder ("Drawing1.dwg" for a new drawing).
    const ACHAR* docTitle() const { return m_title.c_str(); }

    // Host internals.
    AcApDocument(AcDbDatabase* database, std::wstring fileName);

private:
    AcDbDatabase* m_database;
    std::wstring m_fileName;
    std::wstring m_title;
};

class AcApDocManagerReactor : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(AcApDocManagerReactor);

    virtual void documentCreated(AcApDocument* doc) {}
    // The document is about to close: its database is still there.
    virtual void documentToBeDestroyed(AcApDocument* doc) {}
    virtual void documentDestroyed(const ACHAR* fileName) {}
    virtual void documentBecameCurrent(AcApDocument* doc) {}
    virtual void documentActivated(AcApDocument* doc) {}
};

class AcApDocManager : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(AcApDocManager);

    AcApDocument* curDocument() const;
    AcApDocument* mdiActiveDocument() const { return curDocument(); }
    int documentCount() const { return curDocument() ? 1 : 0; }

    // Makes the module the one resources are loaded from (AfxGetResourceHandle) until
    // the matching pop; pushes nest. popResourceHandle with nothing pushed gives
    // eNotApplicable.
    Acad::ErrorStatus pushResourceHandle(HINSTANCE hNewResourceHandle);
    Acad::ErrorStatus popResourceHandle();

    // Puts the text on the document's command line, after text sent before and ahead
    // of anything else: the next inputs are taken from it (a blank or a line break ends
    // an input; a lone blank is Enter). The inputs are shown in the transcript when they
    // are taken, whatever bEchoString says: the transcript records every input.
    // eInvalidInput for a null text or a document that is not open.
    Acad::ErrorStatus sendStringToExecute(AcApDocument* pAcTargetDocument, const ACHAR* pszExecute,
                                          bool bActivate = true, bool bWrapUpInactiveDoc = false,
                                          bool bEchoString = true);

    // A reactor is added once however often it is given; removing an unknown one does
    // nothing. The manager does not own its reactors.
    void addReactor(AcApDocManagerReactor* reactor);
    void removeReactor(AcApDocManagerReactor* reactor);

    // Documents are never locked against other documents in this host.
    Acad::ErrorStatus lockDocument(AcApDocument* doc, int mode = 0,
                                   const ACHAR* globalCmdName = nullptr,
                                   const ACHAR* localCmdName = nullptr, bool prompt = true) {
        return Acad::eOk;
    }
    Acad::ErrorStatus unlockDocument(AcApDocument* doc) { return Acad::eOk; }
};

AcApDocManager* acDocManagerPtr();
#define acDocManager acDocManagerPtr()

// The current document's database.
inline AcApDocument* curDoc() {
    return acDocManager->curDocument();
}
