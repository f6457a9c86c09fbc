#include "frame/doc_data.h"

// Built when the module is mapped, so that it follows every document from the start.
AsdkDataManager<CDocData> g_documentData;
