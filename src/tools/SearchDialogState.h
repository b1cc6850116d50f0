#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace tools {

/// The search dialog TfSrch: its controls keep their values for the whole run, and the
/// search-again commands read them too.
struct SearchDialogState {
    /// optCond's items.
    enum Cond { Equal, Contains, Greater, GreaterEqual, Less, LessEqual };

    QString cbStr;
    /// optArea's index: in pointer mode 0 上方向, 1 下方向, 2 全範囲; while extracting the first
    /// item is gone, so 0 下方向, 1 全範囲.
    int optArea = 1;
    /// optArea is shown (the selection was one cell); otherwise gbArea shows the range.
    bool areaShown = true;
    QString lblArea;
    int optCond = Contains;
    int optWay = 0;  // 0 text, 1 number
    int optCase = 0; // 0 letter case counts, 1 ignored
    int optOut = 0;  // 0 move the pointer, 1 extract the rows

    /// optOutClick: extraction drops optArea's item 上方向, pointer mode brings it back; the
    /// choice stays on the same item where it still exists.
    void setOptOut(int out);
    QStringList areaItems() const;
    bool searchesUp() const { return areaShown && optOut == 0 && optArea == 0; }
    bool searchesDown() const { return areaShown && optArea == (optOut == 0 ? 1 : 0); }
};

/// The dialog's OK: the warning that keeps it open, or nothing; then a search text goes to
/// the top of the history.
std::optional<QString> AcceptSearchDialog(SearchDialogState& state, QStringList& history);

/// A history list: the text moves to (or enters at) the top; at most 20 entries.
void AddToHistory(QStringList& history, const QString& text);

} // namespace tools
