#include "rxobject.h"

#include <map>

namespace {

struct Registry {
    std::map<std::wstring, AcRxClass*> byName;
    std::map<std::string, AcRxClass*> byDxfName;
};

Registry& registry() {
    static Registry r;
    return r;
}

} // namespace

AcRxClass::AcRxClass(const ACHAR* name, AcRxClass* parent, const char* dxfName, CreateFn create)
    : m_name(name), m_dxfName(dxfName ? dxfName : ""), m_parent(parent), m_create(create) {
    registry().byName[m_name] = this;
    if (!m_dxfName.empty())
        registry().byDxfName[m_dxfName] = this;
}

bool AcRxClass::isDerivedFrom(const AcRxClass* other) const {
    for (const AcRxClass* c = this; c; c = c->m_parent)
        if (c == other)
            return true;
    return false;
}

AcRxClass* AcRxClass::byName(const ACHAR* name) {
    auto& r = registry().byName;
    auto it = r.find(name);
    return it == r.end() ? nullptr : it->second;
}

AcRxClass* AcRxClass::byDxfName(const char* dxfName) {
    auto& r = registry().byDxfName;
    auto it = r.find(dxfName);
    return it == r.end() ? nullptr : it->second;
}

AcRxClass* AcRxObject::desc() {
    static AcRxClass cls(L"AcRxObject", nullptr);
    return &cls;
}

AcRxClass* AcRxObject::isA() const { return desc(); }
