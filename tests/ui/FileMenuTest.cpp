// The file menu's commands in the main window: open, recent files, the read-only question,
// save and save as, seen in the caption, the menu items, the grid and the message boxes.
#include "ModalBoxes.h"
#include "TestFiles.h"
#include "core/App.h"
#include "core/Cells.h"
#include "core/SheetOps.h"
#include "files/WorksheetWriter.h"
#include "platform/fake/FakePlatform.h"
#include "ui/TF.h"

#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QTableView>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class FileMenuTest : public ::testing::Test {
protected:
    FileMenuTest()
    {
        window.show();
        window.FormActivate();
    }

    /// A worksheet file with the texts in row 1 from column A, written by our writer.
    QString worksheet(const QString& name, const QStringList& row1)
    {
        return testfiles::WriteRowWorksheet(dir.filePath(name), row1);
    }
    QString csv(const QString& name, const QByteArray& bytes)
    {
        return testfiles::WriteFile(dir.filePath(name), bytes);
    }

    void trigger(ui::CommandId id) { window.menuAction(id)->trigger(); }
    QAction* recent(int n) { return window.menuAction(ui::CommandId(int(ui::CommandId::Recent0) + n)); }
    /// The captions of the visible recent-file items, and whether the separator shows.
    QStringList recentItems()
    {
        QStringList items;
        for (int n = 0; n < 10; ++n)
            if (recent(n)->isVisible())
                items.append(recent(n)->text());
        return items;
    }
    bool separatorShown()
    {
        return window.findChild<QAction*>(u"mnuFilesSep"_s)->isVisible();
    }
    QString cell(int c, int r)
    {
        QAbstractItemModel* model = window.grid()->model();
        return model->index(r - 1, c - 1).data().toString().trimmed();
    }
    QString status() { return window.findChild<QLabel*>(u"Info.Panel1"_s)->text(); }
    void answerOpen(const QString& path) { fakes.fileDialogs.openAnswers.push_back(path); }

    QTemporaryDir dir;
    platform::FakePlatform fakes;
    App app{fakes.services()};
    ui::TF window{app};
};

TEST_F(FileMenuTest, OpenedFilesShowInTheCaptionTheGridAndTheRecentItems)
{
    EXPECT_TRUE(recentItems().isEmpty());
    EXPECT_FALSE(separatorShown());

    const QString a = worksheet(u"a.mvx"_s, {u"\t5"_s, u"=A1*2"_s});
    answerOpen(a);
    trigger(ui::CommandId::Open);
    EXPECT_EQ(fakes.fileDialogs.openTitles, QStringList{u"開く"_s});
    EXPECT_EQ(window.windowTitle(), u"Mavix - "_s + a);
    EXPECT_EQ(cell(1, 1), u"5");
    EXPECT_EQ(cell(2, 1), u"10");
    EXPECT_EQ(status(), u"データ読み込み終了.");
    EXPECT_EQ(recentItems(), QStringList{u"&0 "_s + a});
    EXPECT_TRUE(separatorShown());

    const QString b = csv(u"b.csv"_s, "x,=1+2\r\n");
    answerOpen(b);
    trigger(ui::CommandId::Open);
    EXPECT_EQ(window.windowTitle(), u"Mavix - "_s + b);
    EXPECT_EQ(cell(1, 1), u"x");
    EXPECT_EQ(cell(2, 1), u"3");
    EXPECT_EQ(recentItems(), (QStringList{u"&0 "_s + b, u"&1 "_s + a}));

    // An edited sheet asks first; discarding opens the older entry, which moves to the top.
    window.app().sheet.Modified = true;
    auto box = answerNextBox(u"破棄(&D)"_s);
    recent(1)->trigger();
    ASSERT_TRUE(box->seen);
    EXPECT_EQ(box->caption, u"開く");
    EXPECT_EQ(box->text, u"データが変更されていますが\n保存しますか？");
    EXPECT_EQ(window.windowTitle(), u"Mavix - "_s + a);
    EXPECT_EQ(cell(2, 1), u"10");
    EXPECT_EQ(recentItems(), (QStringList{u"&0 "_s + a, u"&1 "_s + b}));

    // Cancel keeps everything, and a cancelled open dialog opens nothing.
    window.app().sheet.Modified = true;
    box = answerNextBox(u"キャンセル"_s);
    recent(1)->trigger();
    EXPECT_TRUE(box->seen);
    EXPECT_EQ(window.windowTitle(), u"Mavix - "_s + a);
    window.app().sheet.Modified = false;
    trigger(ui::CommandId::Open);
    EXPECT_EQ(window.windowTitle(), u"Mavix - "_s + a);
    EXPECT_EQ(fakes.fileDialogs.openTitles.size(), 3);
}

TEST_F(FileMenuTest, AFileThatCannotBeWrittenOpensReadOnlyAndRefusesPlainSave)
{
    const QString a = worksheet(u"locked.mvx"_s, {u"\bkeep"_s});
    const QByteArray before = [&] {
        QFile file(a);
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }();
    fakes.fileHold.denied = QStringList{a};

    // Cancel: nothing is opened.
    answerOpen(a);
    auto box = answerNextBox(u"Cancel"_s);
    trigger(ui::CommandId::Open);
    ASSERT_TRUE(box->seen);
    const QString question = a + u" は書き込めません。\n（アクセス権、読み取り専用、使用中 など）\n"
                                 u"読み取り専用で開きますか？"_s;
    EXPECT_EQ(box->text, question);
    EXPECT_TRUE(box->buttons.contains(u"Help"_s)) << box->buttons.join(u',').toStdString();
    EXPECT_TRUE(window.app().sheet.FileName.isEmpty());
    EXPECT_EQ(cell(1, 1), u"");

    answerOpen(a);
    box = answerNextBox(u"&Yes"_s);
    trigger(ui::CommandId::Open);
    EXPECT_EQ(box->text, question);
    EXPECT_EQ(window.windowTitle(), u"Mavix - "_s + a + u" [読み取り専用]"_s);
    EXPECT_EQ(cell(1, 1), u"keep");

    window.app().sheet.CellText[1][2] = u"\bnew"_s;
    window.app().sheet.Modified = true;
    box = answerNextBox(u"OK"_s);
    trigger(ui::CommandId::Save);
    ASSERT_TRUE(box->seen);
    EXPECT_EQ(box->text, u"locked.mvx は読み取り専用です。\n別の名前で保存してください。");
    EXPECT_TRUE(fakes.fileDialogs.saveRequests.empty());
    QFile file(a);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), before);
    EXPECT_EQ(window.windowTitle(), u"Mavix - "_s + a + u" [読み取り専用]"_s);
}

TEST_F(FileMenuTest, SaveAsNamesTheFileThenPlainSaveWritesItWithoutTheDialog)
{
    App& app = window.app();
    app.sheet.CellText[1][1] = u"\babc"_s;
    app.sheet.Modified = true;
    const QString target = dir.filePath(u"book.MVX"_s);
    fakes.fileDialogs.saveAnswers.push_back(platform::SaveChoice{target, 1, true});
    trigger(ui::CommandId::SaveAs);
    ASSERT_EQ(fakes.fileDialogs.saveRequests.size(), 1u);
    EXPECT_EQ(fakes.fileDialogs.saveRequests[0].title, u"全範囲の保存");
    EXPECT_EQ(fakes.fileDialogs.saveRequests[0].fileName, u"");
    EXPECT_EQ(window.windowTitle(), u"Mavix - "_s + target);
    EXPECT_EQ(status(), u"ファイルへの書き込み完了.");
    EXPECT_EQ(recentItems(), QStringList{u"&0 "_s + target});
    EXPECT_TRUE(QFile::exists(target));

    app.sheet.CellText[1][1] = u"\bchanged"_s;
    app.sheet.Modified = true;
    trigger(ui::CommandId::Save);
    EXPECT_EQ(fakes.fileDialogs.saveRequests.size(), 1u);
    EXPECT_FALSE(app.sheet.Modified);

    // The file reads back with the later text.
    fakes.fileDialogs.openAnswers.push_back(target);
    app.sheet.CellText[1][1].clear();
    trigger(ui::CommandId::Open);
    EXPECT_EQ(cell(1, 1), u"changed");
}

} // namespace
