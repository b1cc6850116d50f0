#include "tools/SearchDialogState.h"

namespace tools {

void SearchDialogState::setOptOut(int out)
{
    if (out == optOut)
        return;
    optOut = out;
    if (out == 1) {
        if (optArea > 0)
            --optArea;
    } else if (optArea < 2) {
        ++optArea;
    }
}

QStringList SearchDialogState::areaItems() const
{
    QStringList items{QStringLiteral("下方向(&D)"), QStringLiteral("全範囲(&A)")};
    if (optOut == 0)
        items.prepend(QStringLiteral("上方向(&U)"));
    return items;
}

std::optional<QString> AcceptSearchDialog(SearchDialogState& state, QStringList& history)
{
    if (state.optWay == 1 && state.optCond == SearchDialogState::Contains)
        return QStringLiteral("数値検索で「含む」の条件は指定できません.");
    if (!state.cbStr.isEmpty())
        AddToHistory(history, state.cbStr);
    return std::nullopt;
}

void AddToHistory(QStringList& history, const QString& text)
{
    constexpr int MaxEntries = 20;
    history.removeOne(text);
    history.prepend(text);
    while (history.size() > MaxEntries)
        history.removeLast();
}

} // namespace tools
