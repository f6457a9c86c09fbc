// Per-document records. The module keeps none today; the container exists as the
// document-manager reactor that forgets a document when it closes.
#pragma once

#include "frame/platform.h"

#include <map>

class CDocData {};

template <class T> class AsdkDataManager : public AcApDocManagerReactor {
public:
    AsdkDataManager() { acDocManager->addReactor(this); }
    ~AsdkDataManager() override {
        acDocManager->removeReactor(this);
        m_data.clear();
    }
    AsdkDataManager(const AsdkDataManager&) = delete;
    AsdkDataManager& operator=(const AsdkDataManager&) = delete;

    void documentToBeDestroyed(AcApDocument* doc) override { m_data.erase(doc); }

    T& docData(AcApDocument* doc) { return m_data[doc]; }
    std::size_t size() const { return m_data.size(); }

private:
    std::map<AcApDocument*, T> m_data;
};
