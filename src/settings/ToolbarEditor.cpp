#include "settings/ToolbarEditor.h"

#include "core/App.h"
#include "platform/Ui.h"
#include "settings/Settings.h"

namespace settings {

namespace {

// clang-format off
constexpr ToolbarItem Items[] = {
    {1, u"新規作成", 1},        {2, u"開く", 2},            {3, u"追加読みこみ", 3},
    {4, u"上書き保存", 4},      {5, u"名前を付けて保存", 5}, {6, u"ページ設定", 6},
    {7, u"印刷範囲", 0},        {8, u"印刷プレビュー", 8},   {9, u"印刷", 9},
    {10, u"元に戻す", 10},      {11, u"挿入", 11},          {12, u"削除", 12},
    {13, u"コピー", 13},        {14, u"貼り付け", 14},      {16, u"消去", 16},
    {17, u"検索", 17},          {18, u"前検索", 18},        {19, u"次検索", 19},
    {20, u"ファイル検索", 20},  {21, u"置換", 21},          {22, u"リンク", 22},
    {23, u"並べ替え", 23},      {24, u"グラフ", 24},        {25, u"全体行数", 25},
    {26, u"フォント", 26},      {27, u"列の表示形式", 27},  {28, u"列見出し", 28},
    {29, u"罫線", 29},          {30, u"改ページ", 30},      {31, u"ヘルプ", 31},
};
// clang-format on

static_assert(std::size(Items) == std::tuple_size_v<decltype(ToolbarEditorState::checked)>);

} // namespace

std::span<const ToolbarItem> ToolbarItems()
{
    return Items;
}

void OpenToolbarEditor(App& app)
{
    auto& visible = app.settings.ButtonVisible;
    ToolbarEditorState state;
    for (std::size_t k = 0; k < std::size(Items); ++k)
        state.checked[k] = visible[std::size_t(Items[k].button)] == 1;
    if (!app.ui().askToolbarEditor(state))
        return;
    for (std::size_t k = 0; k < std::size(Items); ++k)
        visible[std::size_t(Items[k].button)] = state.checked[k] ? 1 : 0;
    app.ui().ApplyToolbarButtons();
    SaveToolbarSettings(app);
}

} // namespace settings
