#include "rxobject.h"

#include <map>
#include <string>
#include <string_view>

namespace {

struct Registry {
    // Transparent comparison: look-ups by C string build no key string.
    std::map<std::wstring, AcRxClass*, std::less<>> byName;
    std::map<std::string, AcRxClass*, std::less<>> byDxfName;
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
    if (!name)
        return nullptr;
    auto& r = registry().byName;
    auto it = r.find(std::wstring_view(name));
    return it == r.end() ? nullptr : it->second;
}

AcRxClass* AcRxClass::byDxfName(const char* dxfName) {
    if (!dxfName)
        return nullptr;
    auto& r = registry().byDxfName;
    auto it = r.find(std::string_view(dxfName));
    return it == r.end() ? nullptr : it->second;
}

AcRxClass* AcRxObject::desc() {
    static AcRxClass cls(L"AcRxObject", nullptr);
    return &cls;
}

AcRxClass* AcRxObject::isA() const {
    return desc();
}
