// The toolbar editor, the system settings and the about box as the user meets them: what
// they show, and what the toolbar, the grid and the status bar show afterwards.
#include "DialogWindowFixture.h"
#include "ModalBoxes.h"
#include "ui/TfAbout.h"
#include "ui/TfSysSet.h"
#include "ui/TfTip.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolBar>

namespace {

using namespace Qt::StringLiterals;
using commands::CommandId;

class SettingsDialogsTest : public DialogWindowTest {
protected:
    /// The toolbar buttons shown, by number.
    QList<int> shownButtons()
    {
        QList<int> shown;
        for (int n = 1; n <= 31; ++n)
            if (window->buttonAction(n)->isVisible())
                shown.append(n);
        return shown;
    }
    static QList<int> allBut(std::initializer_list<int> hidden)
    {
        QList<int> shown;
        for (int n = 1; n <= 31; ++n)
            if (std::count(hidden.begin(), hidden.end(), n) == 0)
                shown.append(n);
        return shown;
    }
    /// Clicks row r of the list (its caption, not its check box), with Ctrl to add it.
    static void clickRow(QTableWidget* list, int r, Qt::KeyboardModifiers mods = {})
    {
        list->scrollToItem(list->item(r, 0));
        const QRect cell = list->visualItemRect(list->item(r, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, mods,
                          QPoint(cell.right() - 20, cell.center().y()));
    }
    /// The buttons of the unchecked items.
    static QList<int> unchecked(ui::TfTip* d)
    {
        QList<int> buttons;
        for (int k = 0; k < d->lvBtn->rowCount(); ++k)
            if (d->lvBtn->item(k, 0)->checkState() != Qt::Checked)
                buttons.append(k < 14 ? k + 1 : k + 2);
        return buttons;
    }
    QImage gridLook() { return grid()->grab().toImage(); }
};

TEST_F(SettingsDialogsTest, ToolbarEditorTurnsTheSelectedItemsOffAndOkHidesTheirButtons)
{
    QString title;
    QString header;
    QStringList captions;
    QList<int> atStart;
    QList<int> afterOff;
    bool icons = true;
    run(CommandId::ToolbarEditor, {in<ui::TfTip>([&](ui::TfTip* d) {
            title = d->windowTitle();
            header = d->lvBtn->horizontalHeaderItem(0)->text();
            for (int k = 0; k < d->lvBtn->rowCount(); ++k) {
                captions.append(d->lvBtn->item(k, 0)->text());
                icons = icons && !d->lvBtn->item(k, 0)->icon().isNull();
            }
            atStart = unchecked(d);
            clickRow(d->lvBtn, 1);                       // 開く
            clickRow(d->lvBtn, 3, Qt::ControlModifier);  // 上書き保存
            clickRow(d->lvBtn, 15, Qt::ControlModifier); // 検索
            d->btnAllOff->click();
            afterOff = unchecked(d);
            d->OKBtn->click();
        })});
    EXPECT_EQ(title, u"ツールボタンの編集");
    EXPECT_EQ(header, u"ボタン");
    ASSERT_EQ(captions.size(), 30);
    EXPECT_EQ(captions.mid(13, 3), (QStringList{u"貼り付け"_s, u"消去"_s, u"検索"_s}));
    EXPECT_TRUE(icons);
    EXPECT_EQ(atStart, (QList<int>{1, 3, 5, 6, 26, 28, 30}));
    EXPECT_EQ(afterOff, (QList<int>{1, 2, 3, 4, 5, 6, 17, 26, 28, 30}));
    EXPECT_EQ(shownButtons(), allBut({1, 2, 3, 4, 5, 6, 15, 17, 26, 28, 30}));
    const QByteArray stored = fakes.settings.values.value(u"Buttons"_s).toByteArray();
    ASSERT_EQ(stored.size(), 40);
    EXPECT_EQ(stored.left(5), QByteArray("\0\0\0\0\0", 5));
    EXPECT_EQ(stored[16], 0);
    EXPECT_EQ(stored[17], 1);
}

TEST_F(SettingsDialogsTest, ToolbarEditorCancelKeepsTheToolbarAndButton15NeverShows)
{
    // Settings of an odd origin that mark button 15 as shown change nothing.
    app().settings.ButtonVisible[15] = 1;
    window->FormActivate();
    const QList<int> before = shownButtons();
    EXPECT_EQ(before, allBut({1, 3, 5, 6, 15, 26, 28, 30}));
    QList<int> afterOn;
    run(CommandId::ToolbarEditor, {in<ui::TfTip>([&](ui::TfTip* d) {
            clickRow(d->lvBtn, 0);
            clickRow(d->lvBtn, 2, Qt::ControlModifier);
            d->btnAllOn->click();
            afterOn = unchecked(d);
            d->CancelBtn->click();
        })});
    EXPECT_EQ(afterOn, (QList<int>{5, 6, 26, 28, 30}));
    EXPECT_EQ(shownButtons(), before);
    QList<int> again;
    run(CommandId::ToolbarEditor, {in<ui::TfTip>([&](ui::TfTip* d) {
            again = unchecked(d);
            for (int k = 0; k < d->lvBtn->rowCount(); ++k)
                d->lvBtn->item(k, 0)->setCheckState(Qt::Checked);
            d->OKBtn->click();
        })});
    EXPECT_EQ(again, (QList<int>{1, 3, 5, 6, 26, 28, 30}));
    EXPECT_EQ(shownButtons(), allBut({15}));
    EXPECT_TRUE(fakes.settings.values.contains(u"Buttons"_s));
}

TEST_F(SettingsDialogsTest, DesignPreviewFollowsThePagesAndCancelRestoresTheGrid)
{
    put(1, 1, entry(u"A1"_s));
    const QImage styleB = gridLook();
    QStringList tabs;
    QString chosen;
    bool wheel = false;
    QImage opened, previewC, otherPage, backOnDesign;
    run(CommandId::SystemSettings, {in<ui::TfSysSet>([&](ui::TfSysSet* d) {
            opened = gridLook();
            for (int i = 0; i < d->PageControl1->count(); ++i)
                tabs.append(d->PageControl1->tabText(i));
            chosen = checked(d->optDesign);
            wheel = d->chkWheel->isChecked();
            d->optDesign->button(2)->click(); // スタイルC
            previewC = gridLook();
            d->PageControl1->setCurrentIndex(2);
            otherPage = gridLook();
            d->PageControl1->setCurrentIndex(0);
            backOnDesign = gridLook();
            d->CancelBtn[0]->click();
        })});
    EXPECT_EQ(tabs,
              (QStringList{u"デザイン(&D)"_s, u"関連付け(&R)"_s, u"スタートメニュー(&S)"_s,
                           u"アンインストール(&U)"_s}));
    EXPECT_EQ(chosen, u"スタイルB");
    EXPECT_TRUE(wheel);
    EXPECT_NE(previewC, opened);
    EXPECT_EQ(otherPage, opened);
    EXPECT_EQ(backOnDesign, previewC);
    EXPECT_EQ(gridLook(), styleB);
    EXPECT_EQ(app().settings.GridStyle, 1);

    run(CommandId::SystemSettings, {in<ui::TfSysSet>([&](ui::TfSysSet* d) {
            d->optDesign->button(2)->click();
            d->chkWheel->click();
            d->OKBtn[0]->click();
        })});
    EXPECT_EQ(gridLook(), previewC);
    EXPECT_EQ(app().settings.GridStyle, 2);
    EXPECT_FALSE(app().settings.Wheel);
}

TEST_F(SettingsDialogsTest, AssociationAsksForAnExtensionAndReportsInTheStatusBar)
{
    fakes.desktop.program = u"/opt/Mavix/mavix"_s;
    QString note;
    bool checkBoxes = false;
    bool radioGroup = true;
    QString mvxCaption, csvCaption;
    std::shared_ptr<SeenBox> refusal, question;
    run(CommandId::SystemSettings, {in<ui::TfSysSet>([&](ui::TfSysSet* d) {
            d->PageControl1->setCurrentIndex(1);
            note = d->lblAssocNote->text();
            checkBoxes = d->chkMvx->isVisible() && d->chkCsv->isVisible();
            radioGroup = d->optExt->isVisible();
            mvxCaption = d->chkMvx->text();
            csvCaption = d->chkCsv->text();
            refusal = answerNextBox(u"OK"_s);
            d->OKBtn[1]->click(); // 実行 with nothing chosen: the dialog stays
            d->chkCsv->click();
            question = answerNextBox(u"OK"_s);
            d->OKBtn[1]->click();
        })});
    EXPECT_EQ(note, u"この機能は管理者権限が必要です．");
    EXPECT_TRUE(checkBoxes);
    EXPECT_FALSE(radioGroup);
    EXPECT_EQ(mvxCaption, u"\".mvx\"(&G)");
    EXPECT_EQ(csvCaption, u".\"csv\"(&C)");
    EXPECT_EQ(refusal->text, u"関連付けする拡張子を指定してください.");
    EXPECT_EQ(question->text, u"指定の拡張子をMavixに関連付けます.");
    EXPECT_EQ(question->buttons.size(), 2);
    EXPECT_EQ(fakes.desktop.calls,
              QStringList{u"associate .csv /opt/Mavix/mavix Mavix のワークシート"_s});
    EXPECT_EQ(panel(1), u"拡張子の関連付けを実行しました.");

    // The dialog opens again on that page with the choice it had.
    bool csvKept = false;
    run(CommandId::SystemSettings, {in<ui::TfSysSet>([&](ui::TfSysSet* d) {
            csvKept = d->PageControl1->currentIndex() == 1 && d->chkCsv->isChecked()
                && !d->chkMvx->isChecked();
            d->CancelBtn[1]->click();
        })});
    EXPECT_TRUE(csvKept);
}

TEST_F(SettingsDialogsTest, StartMenuAndUninstallRunOnceTheDialogHasClosed)
{
    QTemporaryDir dir;
    fakes.desktop.program = u"/opt/Mavix/mavix"_s;
    fakes.desktop.userFolder = dir.filePath(u"Mavix"_s);
    run(CommandId::SystemSettings, {in<ui::TfSysSet>([&](ui::TfSysSet* d) {
            d->PageControl1->setCurrentIndex(2);
            d->OKBtn[2]->click();
        })});
    EXPECT_EQ(fakes.desktop.calls.size(), 2);
    EXPECT_EQ(panel(1), u"スタートメニューに登録しました．");

    std::shared_ptr<SeenBox> question, done;
    run(CommandId::SystemSettings,
        {in<ui::TfSysSet>([&](ui::TfSysSet* d) {
             d->PageControl1->setCurrentIndex(3);
             QTimer::singleShot(0, d->OKBtn[3], &QPushButton::click);
         }),
         in<QMessageBox>([&](QMessageBox* box) {
             question = std::make_shared<SeenBox>();
             question->text = box->text();
             done = answerNextBox(u"OK"_s);
             box->button(QMessageBox::Yes)->click();
         })});
    EXPECT_EQ(question->text,
              u"Mavixをアンインストールする準備をします．\nMavixのすべての設定情報を"
              u"削除します．\nよろしいですか？");
    EXPECT_TRUE(done->text.startsWith(u"すべての設定情報を削除しました.\n"));
    EXPECT_FALSE(QFileInfo::exists(fakes.desktop.userFolder));
    EXPECT_FALSE(app().settings.SettingsWritable);
    window->close();
    EXPECT_TRUE(fakes.settings.values.isEmpty());
}

TEST_F(SettingsDialogsTest, AboutBoxShowsTheIconNameAndVersion)
{
    QString title, name, version;
    bool icon = false;
    run(CommandId::About, {in<ui::TfAbout>([&](ui::TfAbout* d) {
            title = d->windowTitle();
            name = d->ProductName->text();
            version = d->Version->text();
            icon = !d->ProgramIcon->pixmap().isNull();
            d->OKButton->click();
        })});
    EXPECT_EQ(title, u"バージョン情報");
    EXPECT_EQ(name, u"Ｍａｖｉｘ");
    EXPECT_EQ(version, u"Version 4.00");
    EXPECT_TRUE(icon);
}

} // namespace
