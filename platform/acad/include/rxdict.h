// AcRxDictionary: objects of the run-time system filed under text keys. The system
// registry (acrxSysRegistry) holds the host's services, among them the command stack
// under ACRX_COMMAND_DOCK and the dynamic linker under ACRX_DYNAMIC_LINKER.
#pragma once

#include "AdAChar.h"
#include "adesk.h"
#include "rxobject.h"

#include <map>
#include <string>

class AcRxDictionary : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(AcRxDictionary);

    // The object under the key (keys are case-sensitive), or null.
    AcRxObject* at(const ACHAR* key) const;
    // Files the object under the key and returns the one it replaces (or null). The
    // dictionary does not own its objects.
    AcRxObject* atPut(const ACHAR* key, AcRxObject* object);
    // Takes the key out and returns its object (or null).
    AcRxObject* remove(const ACHAR* key);
    bool has(const ACHAR* key) const;
    Adesk::UInt32 numEntries() const { return static_cast<Adesk::UInt32>(m_entries.size()); }

private:
    std::map<std::wstring, AcRxObject*> m_entries;
};

#define ACRX_COMMAND_DOCK L"ACAD_REGISTERED_COMMANDS"
#define ACRX_DYNAMIC_LINKER L"DynamicLinker"

// The process-wide registry of host services.
AcRxDictionary* acrxSysRegistry();
