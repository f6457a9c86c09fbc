#include "settings/dim_lists.h"

const wchar_t* const kArrowheadNames[kArrowheadCount] = {
    L"塗潰し矢印",   L"黒丸",           L"黒丸（小）",   L"空白丸",     L"白丸１",
    L"白丸２",       L"開矢印",         L"直角矢印",     L"30°開矢印",  L"閉矢印",
    L"空白丸（小）", L"なし",           L"ティック",     L"塗潰し四角", L"空白四角",
    L"空矢印",       L"塗潰しデータム", L"空白データム", L"波形",       L"ティック（太）",
};

const wchar_t* const kTextDirectionNames[kTextDirectionCount] = {
    L"中心", L"上側", L"外側", L"JIS", L"下側",
};
