// CDrag: the held entities, the options and the read-out settings (see Drag.h).
#include "Drag.h"

CDrag::CDrag(int) {}

CDrag::~CDrag() {
    RemoveAll(1);
}

// An entity that joined a database belongs to it: from then on the drag neither deletes
// it nor needs to look at it to decide. Checked after every callback, so that a drawing
// closed later cannot leave the drag asking a deleted entity.
void CDrag::noteEntitiesInDrawing() {
    for (Held& held : m_held) {
        if (!held.inDrawing && !held.entity->isNewObject())
            held.inDrawing = true;
    }
}

int CDrag::Append(AcDbEntity* entity, const wchar_t* tag, int position) {
    if (entity == nullptr)
        return -1;
    if (!m_heldSet.insert(entity).second)
        return -1;
    Held held;
    held.entity = entity;
    held.tag = tag ? tag : L"";
    int size = static_cast<int>(m_held.size());
    int index = position < 0 || position > size ? size : position;
    m_held.insert(m_held.begin() + index, std::move(held));
    return index;
}

void CDrag::RemoveAll(int dispose) {
    std::vector<Held> held;
    held.swap(m_held); // a deleted entity's destructor finds the drag empty
    m_heldSet.clear();
    if (dispose == 0)
        return;
    for (Held& h : held) {
        if (!h.inDrawing && h.entity->isNewObject())
            delete h.entity;
    }
}

int CDrag::Length() const {
    return static_cast<int>(m_held.size());
}

AcDbEntity* CDrag::At(int i, int* enabled, CString* tag) const {
    if (i < 0 || i >= Length()) {
        if (enabled)
            *enabled = 0;
        if (tag)
            tag->Empty();
        return nullptr;
    }
    const Held& held = m_held[static_cast<std::size_t>(i)];
    if (enabled)
        *enabled = held.shown ? 1 : 0;
    if (tag)
        *tag = held.tag;
    return held.entity;
}

void CDrag::SetEntEnable(int i, int on) {
    if (i >= 0 && i < Length())
        m_held[static_cast<std::size_t>(i)].shown = on != 0;
}

void CDrag::AddOption(const wchar_t* keyword, const wchar_t* label) {
    if (keyword == nullptr || *keyword == L'\0')
        return;
    m_keywords.emplace_back(keyword);
    m_labels.emplace_back(label && *label ? label : keyword);
}

void CDrag::SetOptionFunc(DragCallback func) {
    m_optionFunc = func;
}

void CDrag::DistEnabled(int on, double height, int, double offsetX, double offsetY, int,
                        LOGFONTW* font, int) {
    m_distance = on != 0;
    m_distHeight = height;
    m_distOffsetX = offsetX;
    m_distOffsetY = offsetY;
    m_font = font;
}

void CDrag::SetUserPrompt(int on) {
    m_userPrompt = on != 0;
}
