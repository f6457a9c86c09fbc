#include "ed/host_messages.h"
#include "win_resource.h"

namespace kz::ed {

namespace {

struct Text {
    const wchar_t* english;
    const wchar_t* japanese;
};

// In the order of Msg.
const Text kTexts[] = {
    {L"Command: ", L"コマンド: "},
    {L"*Cancel*", L"*キャンセル*"},
    {L"Unknown command \"%s\".  Press F1 for help.",
     L"コマンド \"%s\" は未定義です。F1 キーでヘルプを表示します。"},
    {L"Point or option keyword required.", L"点またはオプション キーワードが必要です。"},
    {L"Invalid option keyword.", L"オプション キーワードが無効です。"},
    {L"Requires numeric value.", L"数値を指定してください。"},
    {L"Requires an integer value.", L"整数値を指定してください。"},
    {L"Value must be nonzero.", L"値は 0 以外でなければなりません。"},
    {L"Value must be positive.", L"値は正でなければなりません。"},
    {L"Value must be positive and nonzero.", L"値は正で 0 以外でなければなりません。"},
    {L"Select objects: ", L"オブジェクトを選択: "},
    {L"Remove objects: ", L"除外するオブジェクトを選択: "},
    {L"Select object: ", L"オブジェクトを選択: "},
    {L"Specify first corner: ", L"1 点目を指定: "},
    {L"Specify opposite corner: ", L"もう一方のコーナーを指定: "},
    {L"*Invalid selection*\nExpects a point or Window/Last/Crossing/ALL/Previous/Add/Remove%s",
     L"*無効な選択です*\n点、または Window/Last/Crossing/ALL/Previous/Add/Remove%s "
     L"を指定してください"},
    {L"%d found", L"%d 個を検出"},
    {L"%d found, %d total", L"%d 個を検出、合計 %d 個"},
    {L"%d found (%d duplicate), %d total", L"%d 個を検出 (%d 個重複)、合計 %d 個"},
    {L"%d found, %d removed, %d total", L"%d 個を検出、%d 個を除外、合計 %d 個"},
    {L"1 was filtered out.", L"1 個はフィルタで除外されました。"},
    {L"%d were filtered out.", L"%d 個はフィルタで除外されました。"},
    {L"Unable to load %s: %s", L"%s をロードできません: %s"},
    {L"it has no acrxEntryPoint", L"acrxEntryPoint がありません"},
    {L"it was built for interface %d", L"インターフェイス %d 用に作られています"},
    {L"it refused to initialise", L"アプリケーションが初期化を拒否しました"},
    {L"its initialisation failed", L"アプリケーションの初期化が失敗しました"},
    {L"%s loaded.", L"%s をロードしました。"},
    {L"%s unloaded.", L"%s をアンロードしました。"},
    {L"%s is locked and cannot be unloaded.", L"%s はロックされているためアンロードできません。"},
    {L"Command %s stopped by an internal error: %s", L"コマンド %s は内部エラーで停止しました: %s"},
};

static_assert(sizeof(kTexts) / sizeof(kTexts[0]) == static_cast<int>(Msg::CommandFailed) + 1);

} // namespace

bool hostIsJapanese() {
    return (kz::hostUiLanguage() & 0x3FF) == 0x11;
}

const wchar_t* msg(Msg id) {
    const Text& t = kTexts[static_cast<int>(id)];
    return hostIsJapanese() ? t.japanese : t.english;
}

} // namespace kz::ed
