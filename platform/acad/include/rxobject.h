// Run-time classes: every host object knows its class (isA), classes know their
// parent (isDerivedFrom), and cast() checks the class before converting a pointer.
#pragma once

#include "AdAChar.h"
#include "acadstrc.h"

#include <string>

class AcRxObject;

class AcRxClass {
public:
    using CreateFn = AcRxObject* (*)();

    // dxfName is the entity or object type as DXF files name it ("LINE"); empty for
    // classes that are never written on their own.
    AcRxClass(const ACHAR* name, AcRxClass* parent, const char* dxfName = "",
              CreateFn create = nullptr);
    AcRxClass(const AcRxClass&) = delete;
    AcRxClass& operator=(const AcRxClass&) = delete;

    const ACHAR* name() const { return m_name.c_str(); }
    const char* dxfName() const { return m_dxfName.c_str(); }
    AcRxClass* myParent() const { return m_parent; }
    bool isDerivedFrom(const AcRxClass* other) const;
    // A new object of this class, or null for abstract classes.
    AcRxObject* create() const { return m_create ? m_create() : nullptr; }

    // The class registered under a run-time name ("AcDbLine") or DXF type ("LINE").
    static AcRxClass* byName(const ACHAR* name);
    static AcRxClass* byDxfName(const char* dxfName);

private:
    std::wstring m_name;
    std::string m_dxfName;
    AcRxClass* m_parent;
    CreateFn m_create;
};

class AcRxObject {
public:
    virtual ~AcRxObject() = default;

    static AcRxClass* desc();
    virtual AcRxClass* isA() const;
    static AcRxObject* cast(const AcRxObject* inPtr) { return const_cast<AcRxObject*>(inPtr); }

    bool isKindOf(const AcRxClass* aClass) const { return isA()->isDerivedFrom(aClass); }
    virtual AcRxObject* clone() const { return nullptr; }
    virtual Acad::ErrorStatus copyFrom(const AcRxObject*) { return Acad::eNotImplementedYet; }
    virtual bool isEqualTo(const AcRxObject* other) const { return this == other; }
};

// Class members of every run-time class: desc(), isA() and a checked cast().
#define ACRX_DECLARE_MEMBERS(CLASS_NAME)                                                           \
    static AcRxClass* desc();                                                                      \
    AcRxClass* isA() const override;                                                               \
    static CLASS_NAME* cast(const AcRxObject* inPtr) {                                            \
        return (inPtr == nullptr || !inPtr->isKindOf(CLASS_NAME::desc()))                          \
                   ? nullptr                                                                       \
                   : static_cast<CLASS_NAME*>(const_cast<AcRxObject*>(inPtr));                     \
    }

// Defines desc() and isA(); DXF_NAME is "" for abstract classes, CREATE null too.
#define ACRX_DEFINE_MEMBERS_EX(CLASS_NAME, PARENT_NAME, DXF_NAME, CREATE)                          \
    AcRxClass* CLASS_NAME::desc() {                                                                \
        static AcRxClass cls(L## #CLASS_NAME, PARENT_NAME::desc(), DXF_NAME, CREATE);              \
        return &cls;                                                                               \
    }                                                                                              \
    AcRxClass* CLASS_NAME::isA() const { return CLASS_NAME::desc(); }                             \
    /* Registered when the library loads, so that lookups by name find every class. */           \
    [[maybe_unused]] static AcRxClass* const kzRegistered_##CLASS_NAME = CLASS_NAME::desc();

#define ACRX_NO_CONS_DEFINE_MEMBERS(CLASS_NAME, PARENT_NAME)                                       \
    ACRX_DEFINE_MEMBERS_EX(CLASS_NAME, PARENT_NAME, "", nullptr)

#define ACRX_DXF_DEFINE_MEMBERS(CLASS_NAME, PARENT_NAME, DXF_NAME)                                 \
    ACRX_DEFINE_MEMBERS_EX(CLASS_NAME, PARENT_NAME, DXF_NAME,                                      \
                           []() -> AcRxObject* { return new CLASS_NAME(); })
