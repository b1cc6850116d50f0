// The open and save dialogs: filters, the encoding list, the questions before writing, the
// path handed to the save, and what the dialogs keep between uses.
#include "ModalScript.h"
#include "platform/fake/FakePlatform.h"
#include "platform/qt/FileListModel.h"
#include "platform/qt/QtFileDialogs.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QStyleOptionViewItem>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

TEST(QtNameFiltersTest, PatternsMoveIntoTheCaptionsParentheses)
{
    EXPECT_EQ(platform::QtNameFilters(platform::OpenFilter),
              (QStringList{u"MavixのデータとCSVファイル(*.MVX *.CSV)"_s,
                           u"Mavixのデータ(*.MVX)"_s, u"CSVファイル(*.CSV)"_s,
                           u"すべてのファイル(*)"_s}));
    EXPECT_EQ(platform::QtNameFilters(platform::SaveFilter),
              (QStringList{u"Mavixのデータ (*.MVX)"_s, u"計算式 (*.CSV)"_s,
                           u"計算結果 (*.CSV)"_s, u"テキスト形式 (*.TXT)"_s}));
    // A caption without its patterns gets them.
    EXPECT_EQ(platform::QtNameFilters(u"表|*.a;*.b"), QStringList{u"表(*.a *.b)"_s});
}

TEST(FileListModelTest, SizesAndTypesInJapanese)
{
    struct Case {
        qint64 bytes;
        const char16_t* text;
    };
    const Case cases[] = {
        {0, u"0 バイト"},          {504, u"504 バイト"},      {1023, u"1023 バイト"},
        {1024, u"1.0 KB"},         {1234, u"1.2 KB"},         {48000, u"46.9 KB"},
        {1048575, u"1.0 MB"},      {2500000, u"2.4 MB"},      {5368709120, u"5.0 GB"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes);
        EXPECT_EQ(platform::FileSizeText(c.bytes), QString::fromUtf16(c.text));
    }
    QTemporaryDir dir;
    EXPECT_EQ(platform::FileTypeText(QFileInfo(dir.path())), u"フォルダー");
    EXPECT_EQ(platform::FileTypeText(QFileInfo(dir.filePath(u"book.mvx"_s))), u"MVX ファイル");
    EXPECT_EQ(platform::FileTypeText(QFileInfo(dir.filePath(u"a.b.Csv"_s))), u"CSV ファイル");
    EXPECT_EQ(platform::FileTypeText(QFileInfo(dir.filePath(u"noext"_s))), u"ファイル");
}

class FileDialogsTest : public ::testing::Test {
protected:
    FileDialogsTest()
    {
        for (const char* name : {"lower.mvx", "UPPER.CSV", "note.txt", "noext", "old.MVX"})
            touch(QString::fromUtf8(name));
        dialogs.setOwner(&owner, [this] { ++returns; });
    }
    void touch(const QString& name, int size = 1)
    {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(size, 'x'));
    }
    QString canonical(const QString& path) { return QFileInfo(path).canonicalFilePath(); }

    static QFileDialog* fileDialog(QWidget* modal) { return qobject_cast<QFileDialog*>(modal); }
    static QLineEdit* nameEdit(QWidget* modal)
    {
        return modal->findChild<QLineEdit*>(u"fileNameEdit"_s);
    }
    static QPushButton* acceptButton(QWidget* modal)
    {
        auto* box = modal->findChild<QDialogButtonBox*>(u"buttonBox"_s);
        for (QAbstractButton* button : box->buttons())
            if (box->buttonRole(button) == QDialogButtonBox::AcceptRole)
                return qobject_cast<QPushButton*>(button);
        return nullptr;
    }
    /// Clicks after the step has returned, so that a box opened by the click runs in the
    /// script's next step.
    static void clickLater(QAbstractButton* button)
    {
        QTimer::singleShot(0, button, [button] { button->click(); });
    }
    /// The names the file list shows once the folder has loaded.
    static QStringList listed(QWidget* modal)
    {
        auto* view = modal->findChild<QAbstractItemView*>(u"listView"_s);
        QStringList names;
        const QModelIndex root = view->rootIndex();
        for (int r = 0; r < view->model()->rowCount(root); ++r)
            names.append(view->model()->index(r, 0, root).data().toString());
        names.sort();
        return names;
    }

    QTemporaryDir dir;
    QWidget owner;
    platform::FakeHelp help;
    platform::QtFileDialogs dialogs{help};
    int returns = 0;
};

TEST_F(FileDialogsTest, OpenListsByFilterIgnoringCaseAndWantsAnExistingFile)
{
    std::map<QString, QStringList> shown;
    bool missingRefused = false;
    QString title;
    ModalScript script({
        [&](QWidget* modal) {
            title = modal->windowTitle();
            fileDialog(modal)->setDirectory(dir.path());
            return true;
        },
        [&](QWidget* modal) {
            QFileDialog* dialog = fileDialog(modal);
            if (listed(modal).isEmpty())
                return false;
            for (const QString& filter : dialog->nameFilters()) {
                dialog->selectNameFilter(filter);
                QCoreApplication::processEvents();
                shown[filter] = listed(modal);
            }
            dialog->selectNameFilter(dialog->nameFilters().first());
            nameEdit(modal)->setText(u"missing.mvx"_s);
            missingRefused = !acceptButton(modal)->isEnabled();
            nameEdit(modal)->setText(u"lower.mvx"_s);
            clickLater(acceptButton(modal));
            return true;
        },
    });
    const std::optional<QString> chosen = dialogs.openFile(u"開く"_s);
    EXPECT_TRUE(script.finished());
    EXPECT_EQ(title, u"開く");
    ASSERT_TRUE(chosen);
    EXPECT_EQ(canonical(*chosen), canonical(dir.filePath(u"lower.mvx"_s)));
    EXPECT_TRUE(missingRefused);
    EXPECT_EQ(returns, 1);

    using L = QStringList;
    EXPECT_EQ(shown[u"MavixのデータとCSVファイル(*.MVX *.CSV)"_s],
              (L{u"UPPER.CSV"_s, u"lower.mvx"_s, u"old.MVX"_s}));
    EXPECT_EQ(shown[u"Mavixのデータ(*.MVX)"_s], (L{u"lower.mvx"_s, u"old.MVX"_s}));
    EXPECT_EQ(shown[u"CSVファイル(*.CSV)"_s], L{u"UPPER.CSV"_s});
    EXPECT_EQ(shown[u"すべてのファイル(*)"_s],
              (L{u"UPPER.CSV"_s, u"lower.mvx"_s, u"noext"_s, u"note.txt"_s, u"old.MVX"_s}));
}

TEST_F(FileDialogsTest, EnterWithTheCompletionListOpenLeavesNoListBehind)
{
    bool listShown = false;
    ModalScript script({
        [&](QWidget* modal) {
            fileDialog(modal)->setDirectory(dir.path());
            return true;
        },
        [&](QWidget* modal) {
            if (listed(modal).isEmpty())
                return false;
            QTest::keyClicks(nameEdit(modal), u"lower.m"_s);
            return true;
        },
        [&](QWidget*) {
            QWidget* popup = QApplication::activePopupWidget();
            if (!popup)
                return false;
            listShown = true;
            QTest::keyClicks(popup, u"vx"_s);
            QTimer::singleShot(0, popup, [popup] { QTest::keyClick(popup, Qt::Key_Return); });
            return true;
        },
    });
    const std::optional<QString> chosen = dialogs.openFile(u"開く"_s);
    EXPECT_TRUE(script.finished());
    EXPECT_TRUE(listShown);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(QFileInfo(*chosen).fileName(), u"lower.mvx");
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
}

TEST_F(FileDialogsTest, DetailListShowsJapaneseSizesTypesAndDatesInFull)
{
    {
        QFile file(dir.filePath(u"sized.mvx"_s));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(504, 'x'));
        file.flush();
        ASSERT_TRUE(file.setFileTime(QDateTime(QDate(2026, 12, 10), QTime(14, 30, 25)),
                                     QFileDevice::FileModificationTime));
    }
    // Qt's dialogs take up the columns as the last one left them in Qt's settings: here
    // the narrow ones of Qt's plain dialog.
    QSettings(QSettings::UserScope, u"QtProject"_s).remove(u"FileDialog/treeViewHeader"_s);
    {
        QFileDialog plain;
        plain.setOption(QFileDialog::DontUseNativeDialog);
    }
    touch(u"data.json"_s, 1000);
    ASSERT_TRUE(QDir(dir.path()).mkdir(u"folder"_s));
    std::map<QString, QStringList> rows;
    std::vector<std::pair<int, int>> tooNarrow; // column, row
    ModalScript script({
        [&](QWidget* modal) {
            modal->resize(640, 420); // the size the dialog first gets on a desktop
            fileDialog(modal)->setDirectory(dir.path());
            fileDialog(modal)->selectNameFilter(fileDialog(modal)->nameFilters().last());
            return true;
        },
        [&](QWidget* modal) {
            auto* view = modal->findChild<QTreeView*>(u"treeView"_s);
            const QModelIndex root = view->rootIndex();
            const QAbstractItemModel* model = view->model();
            rows.clear();
            for (int r = 0; r < model->rowCount(root); ++r) {
                QStringList texts;
                for (int c = 0; c < 4; ++c)
                    texts.append(model->index(r, c, root).data().toString());
                rows[texts.takeFirst()] = texts;
            }
            if (rows.size() < 8 || rows[u"sized.mvx"_s].value(2).isEmpty())
                return false; // still loading
            // Columns that stay too narrow for their texts make the script give up.
            tooNarrow.clear();
            QStyleOptionViewItem option;
            option.initFrom(view);
            option.widget = view;
            for (int c = 1; c < 4; ++c)
                for (int r = 0; r < model->rowCount(root); ++r) {
                    const QModelIndex index = model->index(r, c, root);
                    if (view->header()->sectionSize(c)
                        < view->itemDelegateForIndex(index)->sizeHint(option, index).width())
                        tooNarrow.emplace_back(c, r);
                }
            if (!tooNarrow.empty())
                return false;
            clickLater(modal->findChild<QDialogButtonBox*>(u"buttonBox"_s)
                           ->button(QDialogButtonBox::Cancel));
            return true;
        },
    });
    EXPECT_FALSE(dialogs.openFile(u"開く"_s));
    EXPECT_TRUE(script.finished());
    EXPECT_EQ(rows[u"sized.mvx"_s],
              (QStringList{u"504 バイト"_s, u"MVX ファイル"_s, u"2026/12/10 14:30"_s}));
    EXPECT_EQ(rows[u"data.json"_s].mid(0, 2), (QStringList{u"1000 バイト"_s, u"JSON ファイル"_s}));
    EXPECT_EQ(rows[u"folder"_s].mid(0, 2), (QStringList{QString(), u"フォルダー"_s}));
    EXPECT_TRUE(tooNarrow.empty());
}

TEST_F(FileDialogsTest, OpenCancelledGivesNothingAndHelpShowsItsTopic)
{
    QString name;
    ModalScript script({
        [&](QWidget* modal) {
            auto* box = modal->findChild<QDialogButtonBox*>(u"buttonBox"_s);
            box->button(QDialogButtonBox::Help)->click();
            // Help leaves the dialog open; the title is the caller's.
            EXPECT_TRUE(modal->isVisible());
            name = modal->windowTitle();
            EXPECT_FALSE(modal->windowFlags()
                         & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
            clickLater(box->button(QDialogButtonBox::Cancel));
            return true;
        },
    });
    EXPECT_FALSE(dialogs.openFile(u"追加読み込み"_s));
    EXPECT_TRUE(script.finished());
    EXPECT_EQ(name, u"追加読み込み");
    EXPECT_EQ(help.calls, QStringList{u"context:412"_s});
    EXPECT_EQ(returns, 1);
}

TEST_F(FileDialogsTest, SaveOffersTheFourFiltersAndTheEncodingList)
{
    struct Seen {
        QString title, filter, name, label, question;
        QStringList filters, encodings;
        bool encodingShown = false;
    } seen;
    ModalScript script({
        [&](QWidget* modal) {
            QFileDialog* dialog = fileDialog(modal);
            seen.title = dialog->windowTitle();
            seen.filters = dialog->nameFilters();
            seen.filter = dialog->selectedNameFilter();
            seen.name = nameEdit(modal)->text();
            auto* encoding = modal->findChild<QComboBox*>(u"cbEncoding"_s);
            for (int i = 0; i < encoding->count(); ++i)
                seen.encodings.append(encoding->itemText(i));
            seen.encodingShown = encoding->isVisible();
            seen.label = modal->findChild<QLabel*>(u"lbEncoding"_s)->text();
            encoding->setCurrentIndex(1);
            clickLater(acceptButton(modal));
            return true;
        },
        [&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            if (!box)
                return false;
            seen.question = box->text();
            EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::Yes));
            clickLater(box->button(QMessageBox::Yes));
            return true;
        },
    });
    const auto choice = dialogs.saveFile(
        platform::SaveRequest{u"全範囲の保存"_s, dir.filePath(u"book"_s), 2});
    EXPECT_TRUE(script.finished());
    EXPECT_EQ(seen.title, u"全範囲の保存");
    EXPECT_EQ(seen.filters, platform::QtNameFilters(platform::SaveFilter));
    EXPECT_EQ(seen.filter, u"計算式 (*.CSV)");
    EXPECT_EQ(seen.name, u"book");
    EXPECT_EQ(seen.encodings, (QStringList{u"Unicode"_s, u"ANSI(Shift-JIS)"_s}));
    EXPECT_TRUE(seen.encodingShown);
    EXPECT_EQ(seen.label, u"エンコード(&E):");
    // The typed name gets the default extension MVX; the CSV filter writes book.CSV, and
    // that is the file the question is about.
    EXPECT_EQ(seen.question, u"book.CSV は存在しません。\nファイルを作成しますか？");
    ASSERT_TRUE(choice);
    EXPECT_EQ(canonical(QFileInfo(choice->path).path()), canonical(dir.path()));
    EXPECT_EQ(QFileInfo(choice->path).fileName(), u"book.CSV");
    EXPECT_EQ(choice->filterIndex, 2);
    EXPECT_FALSE(choice->unicode);
    EXPECT_EQ(returns, 1);
}

TEST_F(FileDialogsTest, OverwriteNeedsAYesAndTheDialogKeepsItsEncoding)
{
    QStringList questions;
    QString encoding;
    QString filter;
    auto answer = [&](QMessageBox::StandardButton button) {
        return [&questions, button](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            if (!box)
                return false;
            questions.append(box->text());
            EXPECT_FALSE(box->windowFlags()
                         & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
            EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::No));
            clickLater(box->button(button));
            return true;
        };
    };
    ModalScript first({
        [&](QWidget* modal) {
            modal->findChild<QComboBox*>(u"cbEncoding"_s)->setCurrentIndex(1);
            nameEdit(modal)->setText(u"old"_s);
            clickLater(acceptButton(modal));
            return true;
        },
        answer(QMessageBox::No),
        [&](QWidget* modal) {
            // Still the save dialog after No: the user may pick another name.
            if (!fileDialog(modal))
                return false;
            clickLater(acceptButton(modal));
            return true;
        },
        answer(QMessageBox::Yes),
    });
    const auto choice =
        dialogs.saveFile(platform::SaveRequest{u"保存"_s, dir.filePath(u"x"_s), 1});
    EXPECT_TRUE(first.finished());
    EXPECT_EQ(questions, (QStringList{u"old.MVX は既に存在します。\n上書きしますか？"_s,
                                      u"old.MVX は既に存在します。\n上書きしますか？"_s}));
    ASSERT_TRUE(choice);
    EXPECT_EQ(QFileInfo(choice->path).fileName(), u"old.MVX");
    EXPECT_EQ(choice->filterIndex, 1);
    EXPECT_FALSE(choice->unicode);

    // A name with the filter's extension in small letters is that file; no filter chosen
    // means the first; the encoding is still the one chosen last time.
    questions.clear();
    ModalScript second({
        [&](QWidget* modal) {
            encoding = modal->findChild<QComboBox*>(u"cbEncoding"_s)->currentText();
            filter = fileDialog(modal)->selectedNameFilter();
            nameEdit(modal)->setText(u"lower.mvx"_s);
            clickLater(acceptButton(modal));
            return true;
        },
        answer(QMessageBox::Yes),
    });
    const auto again = dialogs.saveFile(platform::SaveRequest{u"保存"_s, QString(), 0});
    EXPECT_TRUE(second.finished());
    EXPECT_EQ(encoding, u"ANSI(Shift-JIS)");
    EXPECT_EQ(filter, u"Mavixのデータ (*.MVX)");
    EXPECT_EQ(questions, QStringList{u"lower.mvx は既に存在します。\n上書きしますか？"_s});
    ASSERT_TRUE(again);
    EXPECT_EQ(QFileInfo(again->path).fileName(), u"lower.mvx");

    // The name of an existing file in other letters is that file, not a second one.
    questions.clear();
    ModalScript third({
        [&](QWidget* modal) {
            nameEdit(modal)->setText(u"upper"_s);
            clickLater(acceptButton(modal));
            return true;
        },
        answer(QMessageBox::Yes),
    });
    const auto results = dialogs.saveFile(platform::SaveRequest{u"保存"_s, QString(), 3});
    EXPECT_TRUE(third.finished());
    EXPECT_EQ(questions, QStringList{u"UPPER.CSV は既に存在します。\n上書きしますか？"_s});
    ASSERT_TRUE(results);
    EXPECT_EQ(QFileInfo(results->path).fileName(), u"UPPER.CSV");
    EXPECT_EQ(results->filterIndex, 3);
    EXPECT_EQ(returns, 3);
}

TEST_F(FileDialogsTest, SaveCancelledAndItsHelp)
{
    ModalScript script({
        [&](QWidget* modal) {
            auto* box = modal->findChild<QDialogButtonBox*>(u"buttonBox"_s);
            box->button(QDialogButtonBox::Help)->click();
            clickLater(box->button(QDialogButtonBox::Cancel));
            return true;
        },
    });
    EXPECT_FALSE(dialogs.saveFile(platform::SaveRequest{u"保存"_s, QString(), 4}));
    EXPECT_TRUE(script.finished());
    EXPECT_EQ(help.calls, QStringList{u"context:18"_s});
    EXPECT_EQ(returns, 1);
}

} // namespace
