// The sort, column heading and column format dialogs as the user meets them through their
// commands: what they show, what they keep, the keys, and what OK does to the grid.
#include "DialogWindowFixture.h"
#include "ModalBoxes.h"
#include "ui/SpinEdit.h"
#include "ui/TfCName.h"
#include "ui/TfColSet.h"
#include "ui/TfSort.h"

#include <QCheckBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

using namespace Qt::StringLiterals;
using commands::CommandId;

/// What identifies the control with the focus: its name, or a button's caption.
QString focusName(QDialog* d)
{
    QWidget* w = d->focusWidget();
    if (!w)
        return QString();
    if (auto* button = qobject_cast<QAbstractButton*>(w); button && w->objectName().isEmpty())
        return button->text();
    return w->objectName();
}

/// Replaces a spin edit's text as typing over its selection does.
void retype(ui::SpinEdit* spin, const QString& text)
{
    spin->setFocus();
    spin->selectAll();
    if (text.isEmpty()) {
        QTest::keyClick(spin, Qt::Key_Delete);
    } else if (text.front().unicode() < 0x80) {
        QTest::keyClicks(spin, text);
    } else {
        // Full-width digits arrive from an input method.
        QInputMethodEvent commit;
        commit.setCommitString(text);
        QApplication::sendEvent(spin, &commit);
    }
}

class ColumnDialogsTest : public DialogWindowTest {
protected:
    QString heading(int c) { return grid()->model()->headerData(c - 1, Qt::Horizontal).toString(); }
    /// Sets a column's format as a worksheet file would.
    void setFormat(int c, int wid, int shosu, int comma, int align)
    {
        core::column_type& format = sheet().ColFormat[c];
        format.wid = wid;
        format.shosu = shosu;
        format.comma = comma;
        format.align = align;
        core::BuildColumnFormat(app(), c);
        for (int r = 1; r <= sheet().LastRow; ++r)
            core::ShowCell(app(), c, r);
    }
};

TEST_F(ColumnDialogsTest, SortDialogShowsTheKeyAndRowsAndKeepsItsChoices)
{
    enter(2, 3, u"b"_s);
    enter(2, 4, u"a"_s);
    go(2, 3);
    extendSelection(1, 7); // B3:C10
    QString caption;
    QString area;
    QStringList groups;
    QString focus;
    run(CommandId::Sort, {in<ui::TfSort>([&](ui::TfSort* d) {
            caption = d->windowTitle();
            area = d->lblArea->text();
            for (ui::RadioGroup* g : {d->optWay, d->optSeq})
                groups << g->title() + u':' + g->items().join(u'|') + u':' + checked(g);
            focus = focusName(d);
            d->HelpBtn->click();
            d->optWay->button(1)->click();
            d->optSeq->button(1)->click();
            d->CancelBtn->click();
        })});
    EXPECT_EQ(caption, u"並べ替え");
    EXPECT_EQ(area, u"キー = B列 ， 行 3 ～ 10");
    EXPECT_EQ(
        groups,
        (QStringList{u"方法:文字(&S)|数値(&N):文字(&S)"_s, u"順序:昇順(&A)|降順(&D):昇順(&A)"_s}));
    EXPECT_EQ(focus, u"文字(&S)");
    EXPECT_EQ(fakes.help.calls, QStringList{u"keyword:ソート"_s});
    // Cancelled: nothing moved.
    EXPECT_EQ(shown(2, 3), u"b");
    EXPECT_NE(panel(1), u"並べ替え終了.");

    go(1, 1);
    QStringList kept;
    run(CommandId::Sort, {in<ui::TfSort>([&](ui::TfSort* d) {
            area = d->lblArea->text();
            kept << checked(d->optWay) << checked(d->optSeq);
            d->CancelBtn->click();
        })});
    EXPECT_EQ(area, u"キー = A列 ， 行 1 ～ 1");
    EXPECT_EQ(kept, (QStringList{u"数値(&N)"_s, u"降順(&D)"_s}));
}

TEST_F(ColumnDialogsTest, EnterSortsByTheChosenMethodAndOrder)
{
    const QStringList names = {u"x"_s, u"y"_s, u"z"_s, u"w"_s};
    const QStringList numbers = {u"5"_s, u"30"_s, u"100"_s, u"7"_s};
    for (int r = 1; r <= 4; ++r) {
        enter(1, r, names[r - 1]);
        enter(2, r, numbers[r - 1]);
    }
    go(2, 1);
    extendSelection(0, 3);
    run(CommandId::Sort, {in<ui::TfSort>([&](ui::TfSort* d) {
            d->optWay->button(1)->click();
            d->optSeq->button(1)->click();
            QTest::keyClick(d->focusWidget(), Qt::Key_Return); // OK is the default
        })});
    // As numbers, not as texts (which would put 7 and 5 first).
    QStringList rows;
    for (int r = 1; r <= 4; ++r)
        rows << shown(1, r) + u' ' + shown(2, r);
    EXPECT_EQ(rows, (QStringList{u"z 100"_s, u"y 30"_s, u"w 7"_s, u"x 5"_s}));
    EXPECT_EQ(panel(1), u"並べ替え終了.");
}

TEST_F(ColumnDialogsTest, HeadingDialogNamesTheColumnsFromTheRowTyped)
{
    enter(1, 1, u"Name"_s);
    go(1, 3);
    QString caption;
    QStringList labels;
    QStringList focus; // on opening, after Enter in the row field
    bool openAfterEnter = false;
    run(CommandId::ColumnHeadings, {in<ui::TfCName>([&](ui::TfCName* d) {
            caption = d->windowTitle();
            for (QLabel* label : d->findChildren<QLabel*>())
                labels << label->text();
            labels << d->txtCname->text();
            focus << focusName(d);
            d->HelpBtn->click();
            retype(d->txtCname, u"1"_s);
            QTest::keyClick(d->txtCname, Qt::Key_Return);
            focus << focusName(d);
            openAfterEnter = d->isVisible();
            QTest::keyClick(d->focusWidget(), Qt::Key_Return);
        })});
    EXPECT_EQ(caption, u"列見出しの設定");
    EXPECT_EQ(labels, (QStringList{u"列の見出しの行を指定します．"_s, u"(0 = 非表示)"_s, u"0"_s}));
    EXPECT_EQ(focus, (QStringList{u"txtCname"_s, u"OKBtn"_s}));
    EXPECT_TRUE(openAfterEnter);
    EXPECT_EQ(fakes.help.calls, QStringList{u"keyword:列見出し"_s});
    EXPECT_EQ(heading(1), u"A.Name");
    EXPECT_EQ(heading(2), u"B.");
    EXPECT_EQ(panel(1), u"列名表示の設定 終了.");

    // Escape and Cancel change nothing, whatever was typed.
    for (const bool escape : {true, false}) {
        QString shownRow;
        sheet().Modified = false;
        run(CommandId::ColumnHeadings, {in<ui::TfCName>([&](ui::TfCName* d) {
                shownRow = d->txtCname->text();
                retype(d->txtCname, u"0"_s);
                if (escape)
                    QTest::keyClick(d->txtCname, Qt::Key_Escape);
                else
                    d->CancelBtn->click();
            })});
        EXPECT_EQ(shownRow, u"1");
        EXPECT_EQ(heading(1), u"A.Name");
        EXPECT_FALSE(sheet().Modified);
    }
}

TEST_F(ColumnDialogsTest, FormatDialogIsFilledFromTheLeftColumnAndSetsEverySelectedColumn)
{
    enter(2, 1, u"1234567.891"_s);
    enter(4, 1, u"1234567.891"_s);
    EXPECT_EQ(shownRaw(2, 1), u" 1,234,568");
    setFormat(2, 12, -1, -2, 2);
    setFormat(3, 5, 3, 0, 1);
    go(2, 1);
    extendSelection(2, 0); // B..D
    QString caption;
    QStringList filled;
    QString focus;
    run(CommandId::ColumnFormat, {in<ui::TfColSet>([&](ui::TfColSet* d) {
            caption = d->windowTitle();
            filled << d->txtWidth->text() << d->txtPoint->text()
                   << QString::number(d->chkComma->isChecked())
                   << QString::number(d->chkYen->isChecked()) << checked(d->optAlign);
            focus = focusName(d);
            d->HelpBtn->click();
            retype(d->txtWidth, u"10"_s);
            retype(d->txtPoint, u"2"_s);
            d->chkYen->click();
            d->chkComma->click();
            d->optAlign->button(0)->click();
            d->OKBtn->click();
        })});
    EXPECT_EQ(caption, u"B列～D列の設定");
    EXPECT_EQ(filled, (QStringList{u"12"_s, u"0"_s, u"1"_s, u"1"_s, u"中央(&C)"_s}));
    EXPECT_EQ(focus, u"txtWidth");
    EXPECT_EQ(fakes.help.calls, QStringList{u"keyword:列の表示形式"_s});
    // Two decimals, no separators, for D as for B, whatever C held.
    EXPECT_EQ(shownRaw(2, 1), u"1234567.89");
    EXPECT_EQ(shownRaw(4, 1), u"1234567.89");
    for (int c : {3, 4})
        EXPECT_EQ(grid()->columnWidth(c - 1), grid()->columnWidth(1)) << c;
    EXPECT_EQ(grid()->columnWidth(1), grid()->columnWidth(0)) << "width 10, as column A";
    EXPECT_EQ(panel(1), u"列の設定 終了.");

    go(3, 1);
    run(CommandId::ColumnFormat, {in<ui::TfColSet>([&](ui::TfColSet* d) {
            caption = d->windowTitle();
            d->CancelBtn->click();
        })});
    EXPECT_EQ(caption, u"C列の設定");
}

TEST_F(ColumnDialogsTest, YenBoxChecksTheSeparatorsOnceAndShowsTheYenSign)
{
    enter(1, 1, u"1234567"_s);
    go(1, 1);
    QString yenCaption;
    QStringList boxes;
    QList<bool> comma; // after each click of the Yen box
    run(CommandId::ColumnFormat, {in<ui::TfColSet>([&](ui::TfColSet* d) {
            yenCaption = d->chkYen->text();
            d->chkComma->click(); // unchecked
            const auto information = answerNextBox(u"OK"_s);
            d->chkYen->click();
            comma << d->chkComma->isChecked();
            boxes << information->text;
            d->chkYen->click(); // off: nothing to say
            comma << d->chkComma->isChecked();
            d->chkYen->click(); // on again, the separators already on
            comma << d->chkComma->isChecked();
            d->OKBtn->click();
        })});
    EXPECT_EQ(yenCaption, u"\"\\\" を付ける(&\\)");
    EXPECT_EQ(boxes, QStringList{u"\\を付ける時は必ず3桁毎に','が入ります."_s});
    EXPECT_EQ(comma, (QList<bool>{true, true, true}));
    EXPECT_EQ(shownRaw(1, 1), u"¥1,234,567");
}

TEST_F(ColumnDialogsTest, RightAlignmentIsTheLastItemAndStaysSelected)
{
    enter(1, 1, u"ab"_s);
    const struct {
        int item;
        QString display;
        int align; // as the worksheet file keeps it
    } cases[] = {{2, u"        ab"_s, 1}, {1, u"    ab"_s, 2}, {0, u"ab"_s, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.item);
        go(1, 1);
        QString item;
        run(CommandId::ColumnFormat, {in<ui::TfColSet>([&](ui::TfColSet* d) {
                item = d->optAlign->items()[c.item];
                d->optAlign->button(c.item)->click();
                d->OKBtn->click();
            })});
        EXPECT_EQ(shownRaw(1, 1), c.display);
        EXPECT_EQ(sheet().ColFormat[1].align, c.align);
        QString reopened;
        run(CommandId::ColumnFormat, {in<ui::TfColSet>([&](ui::TfColSet* d) {
                reopened = checked(d->optAlign);
                d->CancelBtn->click();
            })});
        EXPECT_EQ(reopened, item);
    }
}

TEST_F(ColumnDialogsTest, TypedNumbersComeIntoRangeWhenTheFieldIsLeft)
{
    const struct {
        bool width; // txtWidth 1..255, else txtPoint 0..16
        QString typed;
        QString kept;
    } cases[] = {
        {true, u"300"_s, u"255"_s}, {true, u"0"_s, u"1"_s},     {true, QString(), u"1"_s},
        {true, u"-"_s, u"1"_s},     {true, u"３０"_s, u"30"_s}, {false, u"17"_s, u"16"_s},
        {false, QString(), u"0"_s},
    };
    go(1, 1);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        QString afterEnter;
        QString next;
        run(CommandId::ColumnFormat, {in<ui::TfColSet>([&](ui::TfColSet* d) {
                ui::SpinEdit* field = c.width ? d->txtWidth : d->txtPoint;
                retype(field, c.typed);
                QTest::keyClick(field, Qt::Key_Return);
                afterEnter = field->text();
                next = focusName(d);
                d->CancelBtn->click();
            })});
        EXPECT_EQ(afterEnter, c.kept);
        EXPECT_EQ(next, c.width ? u"txtPoint"_s : u"chkComma"_s);
    }
    // A number typed is taken by OK while the field still has the focus.
    run(CommandId::ColumnFormat, {in<ui::TfColSet>([&](ui::TfColSet* d) {
            retype(d->txtWidth, u"300"_s);
            d->OKBtn->click();
        })});
    QString reopened;
    run(CommandId::ColumnFormat, {in<ui::TfColSet>([&](ui::TfColSet* d) {
            reopened = d->txtWidth->text();
            d->CancelBtn->click();
        })});
    EXPECT_EQ(reopened, u"255");
    EXPECT_EQ(sheet().ColFormat[1].wid, 255);
    EXPECT_GT(grid()->columnWidth(0), 20 * grid()->columnWidth(1));
}

TEST_F(ColumnDialogsTest, EnterWalksTheControlsAndEscapeCancels)
{
    enter(1, 1, u"1234567.891"_s);
    go(1, 1);
    QStringList walk;
    run(CommandId::ColumnFormat, {in<ui::TfColSet>([&](ui::TfColSet* d) {
            d->optAlign->button(1)->click();
            d->txtWidth->setFocus();
            walk << focusName(d);
            for (int i = 0; i < 5; ++i) {
                QTest::keyClick(d->focusWidget(), Qt::Key_Return);
                walk << focusName(d);
            }
            retype(d->txtPoint, u"3"_s);
            d->OKBtn->setFocus();
            QTest::keyClick(d->OKBtn, Qt::Key_Return);
        })});
    EXPECT_EQ(walk,
              (QStringList{u"txtWidth"_s, u"txtPoint"_s, u"chkComma"_s, u"chkYen"_s, u"中央(&C)"_s,
                           u"OKBtn"_s}));
    EXPECT_EQ(shownRaw(1, 1), u"1,234,567.891") << "Enter on OK takes the decimals";

    sheet().Modified = false;
    run(CommandId::ColumnFormat, {in<ui::TfColSet>([&](ui::TfColSet* d) {
            retype(d->txtPoint, u"0"_s);
            QTest::keyClick(d->txtPoint, Qt::Key_Escape);
        })});
    EXPECT_EQ(shownRaw(1, 1), u"1,234,567.891");
    EXPECT_FALSE(sheet().Modified);
}

} // namespace
