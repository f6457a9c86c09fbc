#include "DeZeza.h"

const CString KZDIM_LAYER(L"KZ_DIM");
const CString KZDIMTEXT_LAYER(L"KZ_DIMTEXT");
const CString KZLENGTH_LAYER(L"KZ_LENGTH");
const CString KZCONECT_LAYER(L"KZ_CONNECT");
