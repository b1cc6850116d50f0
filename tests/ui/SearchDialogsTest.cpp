// The search and replace dialogs as the user meets them through their commands: what they
// show, what they keep between uses, and what their buttons do to the sheet.
#include "DialogWindowFixture.h"
#include "ModalBoxes.h"
#include "ui/HistoryCombo.h"
#include "ui/TfRep.h"
#include "ui/TfSrch.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>

namespace {

using namespace Qt::StringLiterals;
using commands::CommandId;
using Step = ModalScript::Step;

/// A step answering the next message box with one of its buttons; its text goes to seen.
Step answer(QMessageBox::StandardButton button, QStringList& seen)
{
    return [button, &seen](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (!box)
            return false;
        seen << box->text();
        box->button(button)->click();
        return true;
    };
}

/// The Up and Down arrows open the combo's list.
void expectArrowsOpenTheList(ui::HistoryCombo* combo)
{
    for (Qt::Key k : {Qt::Key_Down, Qt::Key_Up}) {
        combo->setFocus();
        QTest::keyClick(combo, k);
        EXPECT_TRUE(combo->view()->isVisible()) << combo->objectName().toStdString();
        combo->hidePopup();
    }
}

using SearchDialogsTest = DialogWindowTest;

TEST_F(SearchDialogsTest, AreaChoicesFollowTheSelectionAndTheResultOption)
{
    enter(1, 1, u"abc"_s);
    enter(3, 3, u"x"_s);
    go(1, 1);
    QString caption;
    bool areaShown = false;
    bool rangeEnabled = true;
    QString range;
    QStringList items;  // optArea's items after each change of the result option
    QStringList choice; // and the checked item
    QStringList captions;
    run(CommandId::Search, {in<ui::TfSrch>([&](ui::TfSrch* d) {
            caption = d->windowTitle();
            areaShown = d->optArea->isVisible();
            rangeEnabled = d->gbArea->isEnabled();
            range = d->lblArea->text();
            const auto look = [&] {
                items << d->optArea->items().join(u'|');
                choice << checked(d->optArea);
            };
            for (ui::RadioGroup* g : {d->optCond, d->optWay, d->optCase, d->optOut})
                captions << g->title() + u':' + g->items().join(u'|') + u':' + checked(g);
            look();
            d->optOut->button(1)->click(); // 下方向 stays 下方向
            look();
            d->optArea->button(1)->click();
            d->optOut->button(0)->click(); // 全範囲 stays 全範囲
            look();
            d->optArea->button(0)->click();
            d->optOut->button(1)->click(); // 上方向 becomes 下方向
            look();
            d->optOut->button(0)->click();
            look();
            d->CancelBtn->click();
        })});
    EXPECT_EQ(caption, u"検索");
    EXPECT_TRUE(areaShown);
    EXPECT_FALSE(rangeEnabled);
    EXPECT_EQ(range, u"全範囲 (A1 ～ C3)");
    EXPECT_EQ(captions,
              (QStringList{u"検索条件(&C):=|含む|>|>=|<|<=:含む"_s,
                           u"検索方法:文字(&S)|数値(&N):文字(&S)"_s,
                           u"大小文字の区別:区別する(&B)|区別しない(&O):区別する(&B)"_s,
                           u"検索結果:ポインタ移動(&M)|行を抽出(&E):ポインタ移動(&M)"_s}));
    const QString pointer = u"上方向(&U)|下方向(&D)|全範囲(&A)"_s;
    const QString extracting = u"下方向(&D)|全範囲(&A)"_s;
    EXPECT_EQ(items, (QStringList{pointer, extracting, pointer, extracting, pointer}));
    EXPECT_EQ(choice,
              (QStringList{u"下方向(&D)"_s, u"下方向(&D)"_s, u"全範囲(&A)"_s, u"下方向(&D)"_s,
                           u"下方向(&D)"_s}));

    // A selection of several cells is the range: the directions give way to it.
    go(2, 2);
    extendSelection(1, 1);
    run(CommandId::Search, {in<ui::TfSrch>([&](ui::TfSrch* d) {
            areaShown = d->optArea->isVisible();
            rangeEnabled = d->gbArea->isVisible() && d->gbArea->isEnabled();
            range = d->lblArea->text();
            d->CancelBtn->click();
        })});
    EXPECT_FALSE(areaShown);
    EXPECT_TRUE(rangeEnabled);
    EXPECT_EQ(range, u"B2 ～ C3");
}

TEST_F(SearchDialogsTest, NumberMethodGreysTheCaseChoiceAndRefusesContains)
{
    enter(1, 1, u"5"_s);
    enter(1, 2, u"12"_s);
    enter(1, 3, u"abc"_s);
    go(1, 1);
    QList<bool> caseEnabled;
    QString caseChoice;
    bool openAfterWarning = false;
    QStringList statuses; // before and after the warning
    QStringList boxes;
    run(CommandId::Search,
        {in<ui::TfSrch>([&](ui::TfSrch* d) {
             d->optCase->button(1)->click();
             d->optWay->button(1)->click();
             caseEnabled << d->optCase->isEnabled();
             caseChoice = checked(d->optCase);
             d->optWay->button(0)->click();
             caseEnabled << d->optCase->isEnabled();
             d->optWay->button(1)->click();
             d->cbStr->setEditText(u"10"_s);
             // The warning comes while this step runs: its own timer answers it.
             const auto warning = answerNextBox(u"OK"_s);
             statuses << panel(1);
             d->OKBtn->click(); // 含む
             boxes << warning->text;
             openAfterWarning = d->isVisible();
             statuses << panel(1);
             d->optCond->button(2)->click(); // >
             d->OKBtn->click();
         }),
         answer(QMessageBox::Yes, boxes)});
    EXPECT_EQ(caseEnabled, (QList<bool>{false, true}));
    EXPECT_EQ(caseChoice, u"区別しない(&O)");
    EXPECT_TRUE(openAfterWarning);
    // The box returns to the dialog: the window behind it is not activated meanwhile.
    EXPECT_EQ(statuses[1], statuses[0]);
    EXPECT_EQ(boxes,
              (QStringList{u"数値検索で「含む」の条件は指定できません."_s,
                           u"A2 に検索対象データを発見しました.次を検索しますか?"_s}));
    EXPECT_EQ(panel(1), u"これ以降には検索対象データはありません.");
    EXPECT_EQ(panel(0), u"A2");
    EXPECT_EQ(sheet().SearchHistory, QStringList{u"10"_s});
}

TEST_F(SearchDialogsTest, ControlsStayBetweenUsesAndOnlyOkChangesTheHistory)
{
    enter(1, 1, u"a"_s);
    enter(2, 1, u"b"_s);
    go(1, 1);
    sheet().SearchHistory = {u"b"_s, u"a"_s};
    QStringList lists;
    QStringList texts;
    run(CommandId::Search, {in<ui::TfSrch>([&](ui::TfSrch* d) {
            lists << d->cbStr->history().join(u'|');
            texts << d->cbStr->currentText();
            d->cbStr->setEditText(u"b"_s);
            d->optArea->button(2)->click();
            d->optCond->button(5)->click();
            d->optCase->button(1)->click();
            d->optOut->button(1)->click();
            d->CancelBtn->click();
        })});
    // Cancelled: nothing searched (a hit would have asked), the history as it was.
    EXPECT_EQ(panel(0), u"A1");
    EXPECT_EQ(shown(1, 1), u"a");
    EXPECT_EQ(sheet().SearchHistory, (QStringList{u"b"_s, u"a"_s}));

    QStringList kept;
    QStringList boxes;
    run(CommandId::Search,
        {in<ui::TfSrch>([&](ui::TfSrch* d) {
             lists << d->cbStr->history().join(u'|');
             texts << d->cbStr->currentText();
             for (ui::RadioGroup* g : {d->optArea, d->optCond, d->optCase, d->optOut})
                 kept << checked(g);
             d->optOut->button(0)->click();
             d->optCond->button(0)->click(); // =
             d->cbStr->setEditText(u"a"_s);
             QTest::keyClick(d->cbStr, Qt::Key_Return); // Enter is OK
         }),
         answer(QMessageBox::No, boxes)});
    EXPECT_EQ(kept,
              (QStringList{u"全範囲(&A)"_s, u"<="_s, u"区別しない(&O)"_s, u"行を抽出(&E)"_s}));
    // 全範囲 starts at A1; No stops the search and clears the message.
    EXPECT_EQ(boxes, QStringList{u"A1 に検索対象データを発見しました.次を検索しますか?"_s});
    EXPECT_EQ(panel(1), QString());
    EXPECT_EQ(sheet().SearchHistory, (QStringList{u"a"_s, u"b"_s}));

    run(CommandId::Search, {in<ui::TfSrch>([&](ui::TfSrch* d) {
            lists << d->cbStr->history().join(u'|');
            texts << d->cbStr->currentText();
            expectArrowsOpenTheList(d->cbStr);
            d->HelpBtn->click();
            d->CancelBtn->click();
        })});
    EXPECT_EQ(lists, (QStringList{u"b|a"_s, u"b|a"_s, u"a|b"_s}));
    EXPECT_EQ(texts, (QStringList{QString(), u"b"_s, u"a"_s}));
    EXPECT_EQ(fakes.help.calls, QStringList{u"keyword:検索"_s});
}

TEST_F(SearchDialogsTest, ExtractionKeepsTheRowsWithAHit)
{
    const QStringList rows = {u"x1"_s, u"keep1"_s, u"y"_s, u"keep2"_s, u"z"_s};
    for (int r = 1; r <= rows.size(); ++r)
        enter(1, r, rows[r - 1]);
    go(1, 3);
    run(CommandId::Search, {in<ui::TfSrch>([&](ui::TfSrch* d) {
            d->cbStr->setEditText(u"keep"_s);
            d->optOut->button(1)->click();
            d->optArea->button(1)->click(); // 全範囲: from row 1, not from the cursor
            d->OKBtn->click();
        })});
    EXPECT_EQ(shown(1, 1), u"keep1");
    EXPECT_EQ(shown(1, 2), u"keep2");
    EXPECT_EQ(shown(1, 3), QString());
    EXPECT_EQ(panel(1), u"2行抽出しました.");
    EXPECT_EQ(sheet().SheetRows, 17);
}

TEST_F(SearchDialogsTest, ReplaceStepsFromHitToHitAndClosesPastTheEnd)
{
    enter(1, 1, u"abc"_s);
    enter(2, 1, u"zzz"_s);
    enter(1, 2, u"xABCy"_s);
    go(1, 1);
    sheet().SearchHistory = {u"old"_s};
    sheet().ReplaceHistory = {u"R"_s};
    QString caption;
    QStringList buttons;
    QList<bool> rep1Enabled;
    QString area;
    QStringList found; // lblCell after each step
    QString selected;
    bool beforeHasFocus = false;
    bool openAfterLastHit = false;
    bool closed = false;
    run(CommandId::Replace, {in<ui::TfRep>([&](ui::TfRep* d) {
            caption = d->windowTitle();
            for (QPushButton* b : {d->btnSkip, d->btnRep1, d->btnAll, d->btnCancel})
                buttons << b->text();
            buttons << d->chkCase->text() + (d->chkCase->isChecked() ? u"[x]"_s : u"[ ]"_s);
            area = d->lblArea->text();
            found << d->lblCell->text();
            selected = d->cbBefore->lineEdit()->selectedText();
            beforeHasFocus = d->focusWidget() == d->cbBefore;
            rep1Enabled << d->btnRep1->isEnabled();
            expectArrowsOpenTheList(d->cbBefore);
            expectArrowsOpenTheList(d->cbAfter);
            d->btnHelp->click();
            d->cbAfter->setEditText(u"Q"_s);
            d->btnSkip->click();
            found << d->lblCell->text();
            rep1Enabled << d->btnRep1->isEnabled();
            d->btnRep1->click(); // A1 becomes Q; on to xABCy, letter case ignored
            found << d->lblCell->text();
            openAfterLastHit = d->isVisible();
            d->btnSkip->click();
            closed = !d->isVisible();
        })});
    EXPECT_EQ(caption, u"置換");
    EXPECT_EQ(buttons,
              (QStringList{u"次を検索(&F)      "_s, u"置換して次に(&R)"_s, u"すべて置換(&A)  "_s,
                           u"キャンセル"_s, u"大文字と小文字を区別する(&C)[ ]"_s}));
    EXPECT_EQ(area, u"全範囲 (A1 ～ B2)");
    EXPECT_EQ(selected, u"abc");
    EXPECT_TRUE(beforeHasFocus);
    EXPECT_EQ(rep1Enabled, (QList<bool>{false, true}));
    EXPECT_EQ(found, (QStringList{QString(), u"A1"_s, u"A2"_s}));
    EXPECT_TRUE(openAfterLastHit);
    EXPECT_TRUE(closed);
    EXPECT_EQ(fakes.help.calls, QStringList{u"keyword:置換"_s});
    EXPECT_EQ(shown(1, 1), u"Q");
    EXPECT_EQ(shown(2, 1), u"zzz");
    EXPECT_EQ(shown(1, 2), u"xABCy");
    EXPECT_EQ(panel(1), u"置換終了.");
    EXPECT_EQ(sheet().SearchHistory, (QStringList{u"abc"_s, u"old"_s}));
}

TEST_F(SearchDialogsTest, ReplaceAllReplacesOncePerCellAndCloses)
{
    enter(1, 1, u"abcabc"_s);
    enter(1, 2, u"xABCy"_s);
    enter(1, 3, u"'abc"_s);
    go(2, 3);
    bool closed = false;
    run(CommandId::Replace, {in<ui::TfRep>([&](ui::TfRep* d) {
            d->cbBefore->setEditText(u"abc"_s);
            d->cbAfter->setEditText(u"X"_s);
            d->btnAll->click();
            closed = !d->isVisible();
        })});
    EXPECT_TRUE(closed);
    EXPECT_EQ(shown(1, 1), u"Xabc");
    EXPECT_EQ(shown(1, 2), u"xXy");
    EXPECT_EQ(sheet().CellText[1][3], u"'X") << "a forced text stays forced";
    EXPECT_EQ(panel(1), u"置換終了.");

    // The replacement and the letter-case choice are there at the next use.
    QStringList lists;
    run(CommandId::Replace, {in<ui::TfRep>([&](ui::TfRep* d) {
            lists << d->cbBefore->history().join(u'|') << d->cbAfter->history().join(u'|');
            d->chkCase->setChecked(true);
            d->btnCancel->click();
        })});
    bool caseKept = false;
    run(CommandId::Replace, {in<ui::TfRep>([&](ui::TfRep* d) {
            caseKept = d->chkCase->isChecked();
            d->btnCancel->click();
        })});
    EXPECT_EQ(lists, (QStringList{u"abc"_s, u"X"_s}));
    EXPECT_TRUE(caseKept);
}

} // namespace
