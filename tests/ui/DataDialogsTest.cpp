// The clear, row-count and file search dialogs as the user meets them through their commands.
#include "DialogWindowFixture.h"
#include "ui/HistoryCombo.h"
#include "ui/SpinEdit.h"
#include "ui/TfClr.h"
#include "ui/TfRows.h"
#include "ui/TfSrchFl.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>

namespace {

using namespace Qt::StringLiterals;
using commands::CommandId;

using DataDialogsTest = DialogWindowTest;

TEST_F(DataDialogsTest, ClearAsksWhichWhenTheBlockHoldsBoth)
{
    enter(1, 1, u"x"_s);
    sheet().CellLines[4][2][1] = 0x10;
    go(1, 1);
    extendSelection(1, 0); // A1:B1
    bool bothTicked = false;
    run(CommandId::Clear, {in<ui::TfClr>([&](ui::TfClr* d) {
            bothTicked = d->chkData->isChecked() && d->chkLine->isChecked();
            d->chkLine->click(); // keep the lines
            d->OKBtn->click();
        })});
    EXPECT_TRUE(bothTicked);
    EXPECT_EQ(shown(1, 1), QString());
    EXPECT_EQ(sheet().CellLines[4][2][1], 0x10);
    EXPECT_EQ(panel(1), u"A1～B1 を消去しました.");
}

TEST_F(DataDialogsTest, RowCountTakesTheNumberAndEnterGoesToOk)
{
    enter(1, 15, u"last"_s);
    int shownAtStart = 0;
    run(CommandId::RowCount, {in<ui::TfRows>([&](ui::TfRows* d) {
            shownAtStart = d->txtRows->value();
            QTest::keyClicks(d->txtRows, u"12"_s);
            QTest::keyClick(d->txtRows, Qt::Key_Return); // to OK, the dialog stays
            EXPECT_TRUE(d->OKBtn->hasFocus());
            QTest::keyClick(d->OKBtn, Qt::Key_Return);
        })});
    EXPECT_EQ(shownAtStart, 20);
    EXPECT_EQ(sheet().SheetRows, 12);
    EXPECT_EQ(grid()->model()->rowCount(), 12);
    EXPECT_EQ(sheet().CellText[1][15], QString());
    EXPECT_EQ(panel(1), u"行数を12に変更しました.");
}

TEST_F(DataDialogsTest, FileSearchChoosesFilesAndListsTheHits)
{
    QTemporaryDir dir;
    for (const char* name : {"a.csv", "b.csv"}) {
        QFile file(dir.filePath(QString::fromUtf8(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("one,Needle\n");
    }
    QString folder;
    QStringList listed;
    int caseChoice = -1;
    fakes.fileDialogs.openFilesAnswers.push_back(
        {dir.filePath(u"a.csv"_s), dir.filePath(u"b.csv"_s)});
    run(CommandId::FileSearch, {in<ui::TfSrchFl>([&](ui::TfSrchFl* d) {
            caseChoice = d->optCase->index();
            d->btRef->click();
            folder = d->txDir->text();
            for (int i = 0; i < d->lbFiles->count(); ++i)
                listed.append(d->lbFiles->item(i)->text());
            d->cbStr->setEditText(u"needle"_s);
            d->OKBtn->click();
        })});
    EXPECT_EQ(caseChoice, 1); // letter case ignored unless asked
    EXPECT_EQ(folder, dir.path() + u'/');
    listed.sort();
    EXPECT_EQ(listed, (QStringList{u"a.csv"_s, u"b.csv"_s}));
    EXPECT_EQ(shown(1, 1), u"「needle」検索結果");
    EXPECT_EQ(shown(2, 3), u"Needle");
    EXPECT_EQ(shown(2, 5), u"Needle");
    EXPECT_EQ(panel(1), u"ファイル検索完了．2件見つかりました．");
}

} // namespace
