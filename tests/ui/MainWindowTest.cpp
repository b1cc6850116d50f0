// Start-up, activation, closing, wheel scrolling, the current cell and the status bar.
#include "ModalBoxes.h"
#include "core/Busy.h"
#include "core/Cells.h"
#include "core/Display.h"
#include "core/SheetOps.h"
#include "platform/fake/FakePlatform.h"
#include "ui/EditorLine.h"
#include "ui/Startup.h"
#include "ui/TF.h"

#include <QContextMenuEvent>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <cmath>
#include <gtest/gtest.h>

namespace {

QString panel(ui::TF& window, int n)
{
    const QString name = QStringLiteral("Info.Panel") + QString::number(n);
    return window.findChild<QLabel*>(name)->text();
}

QStringList list(std::initializer_list<const char*> items)
{
    QStringList out;
    for (const char* item : items)
        out.append(QString::fromUtf8(item));
    return out;
}

TEST(StartupArgumentsTest, OptionsComeBeforeTheFileAndTheCell)
{
    struct Case {
        QStringList args;
        ui::ShowCommand show;
        QStringList rest;
    };
    const Case cases[] = {
        {{}, ui::ShowCommand::Normal, {}},
        {list({"a.mvx", "B12"}), ui::ShowCommand::Normal, list({"a.mvx", "B12"})},
        {list({"--minimized", "a.mvx"}), ui::ShowCommand::Minimized, list({"a.mvx"})},
        {list({"--maximized"}), ui::ShowCommand::Maximized, {}},
        {list({"--hidden", "a.mvx", "C3"}), ui::ShowCommand::Hidden, list({"a.mvx", "C3"})},
        // After the file everything is an argument, and "--" lets a file start with dashes.
        {list({"a.mvx", "--maximized"}), ui::ShowCommand::Normal, list({"a.mvx", "--maximized"})},
        {list({"--maximized", "--", "--odd.csv"}), ui::ShowCommand::Maximized, list({"--odd.csv"})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.join(u' ').toStdString());
        const ui::StartupOptions options = ui::ParseStartupArguments(c.args);
        EXPECT_EQ(options.show, c.show);
        EXPECT_EQ(options.arguments, c.rest);
    }
    EXPECT_EQ(ui::ParseStartupArguments(list({"--bogus", "x"})).unknown, list({"--bogus"}));
}

class MainWindowTest : public ::testing::Test {
protected:
    /// A small CSV file for the first argument.
    QString csvFile()
    {
        const QString path = dir.filePath(QStringLiteral("start.csv"));
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write("1,2\r\n3,4\r\n");
        return path;
    }
    QTemporaryDir dir;
    /// A window over an App of its own, as the program makes them; the Apps outlive the
    /// test's windows.
    std::unique_ptr<ui::TF> makeWindow(ui::StartupOptions options = {})
    {
        apps.push_back(std::make_unique<App>(fakes.services()));
        return std::make_unique<ui::TF>(*apps.back(), std::move(options));
    }
    std::vector<std::unique_ptr<App>> apps;
    platform::FakePlatform fakes;
};

TEST_F(MainWindowTest, SecondArgumentMovesTheCurrentCellOnlyInsideTheGrid)
{
    struct Case {
        const char* cell;
        int col;
        int row;
    };
    const Case cases[] = {{"B12", 2, 12}, {"Z20", 26, 20}, {"A0", 1, 1},
                          {"B99999", 1, 1}, {"B21", 1, 1}, {"b3", 2, 3}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cell);
        ui::StartupOptions options;
        // A file that cannot be opened leaves the fresh sheet of 20 rows.
        options.arguments = QStringList{dir.filePath(QStringLiteral("missing.mvx")),
                                        QString::fromLatin1(c.cell)};
        auto window = makeWindow(options);
        window->FormActivate();
        AutoAnswerBoxes boxes; // whatever the file's opening has to say
        auto* wakeup = window->findChild<QTimer*>(QStringLiteral("tmrWakeup"));
        ASSERT_TRUE(wakeup->isActive());
        EXPECT_EQ(wakeup->interval(), 100);
        window->tmrWakeupTimer();
        EXPECT_FALSE(wakeup->isActive());
        EXPECT_EQ(window->app().grid.col, c.col);
        EXPECT_EQ(window->app().grid.row, c.row);
        const QModelIndex current = window->grid()->currentIndex();
        EXPECT_EQ(current.column() + 1, c.col);
        EXPECT_EQ(current.row() + 1, c.row);
        EXPECT_EQ(panel(*window, 0), core::CellName(c.col, c.row));
    }
}

TEST_F(MainWindowTest, WakeupTimerRunsOnceAfterTheFirstActivationOnlyWithArguments)
{
    ui::StartupOptions options;
    options.arguments = QStringList{csvFile(), QStringLiteral("B2")};
    auto window = makeWindow(options);
    AutoAnswerBoxes boxes;
    window->show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->app().grid.row == 2; }, 2000));
    EXPECT_EQ(window->app().grid.col, 2);
    // Later activations do not start it again.
    window->FormActivate();
    EXPECT_FALSE(window->findChild<QTimer*>(QStringLiteral("tmrWakeup"))->isActive());

    auto plain = makeWindow();
    plain->FormActivate();
    EXPECT_FALSE(plain->findChild<QTimer*>(QStringLiteral("tmrWakeup"))->isActive());
}

TEST_F(MainWindowTest, ShowOptionsDecideTheStartingState)
{
    auto normal = makeWindow();
    EXPECT_FALSE(normal->startMinimized());
    EXPECT_FALSE(normal->findChild<QTimer*>(QStringLiteral("tmrHide"))->isActive());

    ui::StartupOptions maximized;
    maximized.show = ui::ShowCommand::Maximized;
    EXPECT_TRUE(makeWindow(maximized)->windowState() & Qt::WindowMaximized);

    ui::StartupOptions hidden;
    hidden.show = ui::ShowCommand::Hidden;
    auto window = makeWindow(hidden);
    EXPECT_TRUE(window->startMinimized());
    EXPECT_TRUE(window->hideOnMinimize());
    EXPECT_TRUE(window->findChild<QTimer*>(QStringLiteral("tmrHide"))->isActive());
    window->show();
    window->tmrHideTimer();
    EXPECT_FALSE(window->isVisible());
    // The sheet state was still set up by the first activation.
    EXPECT_TRUE(window->app().FirstActivationDone);
}

TEST_F(MainWindowTest, ActivationWritesTheVersionAndGivesTheEditorTheFocus)
{
    auto window = makeWindow();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    EXPECT_TRUE(window->app().FirstActivationDone);
    EXPECT_EQ(panel(*window, 0), u"A1");
    EXPECT_EQ(panel(*window, 1), u"Mavix  Version 4.00");
    EXPECT_TRUE(window->editor()->hasFocus());
    // Returning from a message box counts as an activation.
    window->showStatus(QStringLiteral("x"));
    answerNextBox(QStringLiteral("キャンセル"));
    window->runCommand(ui::CommandId::New);
    EXPECT_EQ(panel(*window, 1), u"Mavix  Version 4.00");
}

TEST_F(MainWindowTest, StatusBarPanelAndHeightFollowItsFont)
{
    auto window = makeWindow();
    window->FormActivate();
    const int px = QFontInfo(window->statusBar()->font()).pixelSize();
    EXPECT_EQ(window->findChild<QLabel*>(QStringLiteral("Info.Panel0"))->width(), 4 * px);
    EXPECT_EQ(window->statusBar()->height(), int(std::nearbyint(px * 1.5)) + 4);
}

TEST_F(MainWindowTest, CloseAsksOnlyWhenModified)
{
    auto window = makeWindow();
    window->show();
    AutoAnswerBoxes boxes;
    EXPECT_TRUE(window->close());
    EXPECT_EQ(boxes.answered, 0);
    EXPECT_TRUE(fakes.help.calls.contains(QStringLiteral("close")));
}

TEST_F(MainWindowTest, CancelAndAFailedSaveKeepTheProgramRunning)
{
    auto window = makeWindow();
    window->show();
    window->app().sheet.Modified = true;
    window->app().sheet.CellText[1][1] = QStringLiteral("\babc");

    auto box = answerNextBox(QStringLiteral("キャンセル"));
    EXPECT_FALSE(window->close());
    ASSERT_TRUE(box->seen);
    EXPECT_EQ(box->caption, u"Mavixの終了");
    EXPECT_EQ(box->text, u"データが変更されていますが\n保存して終了しますか？");
    // The desktop's own convention orders the buttons.
    QStringList buttons = box->buttons;
    buttons.sort();
    QStringList wanted = list({"保存(&S)", "破棄(&D)", "キャンセル"});
    wanted.sort();
    EXPECT_EQ(buttons, wanted);
    EXPECT_EQ(box->defaultButton, u"保存(&S)");
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(fakes.help.calls.contains(QStringLiteral("close")));

    // No file name and a cancelled save dialog: the save does not happen.
    box = answerNextBox(QStringLiteral("保存(&S)"));
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(box->seen);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->app().sheet.CellText[1][1], u"\babc");
    EXPECT_TRUE(window->app().sheet.Modified);

    box = answerNextBox(QStringLiteral("破棄(&D)"));
    EXPECT_TRUE(window->close());
    EXPECT_TRUE(box->seen);
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(fakes.help.calls.contains(QStringLiteral("close")));
}

TEST(CascadeTest, ASecondProgramStartsBesideTheFirst)
{
    const QRect screen(0, 0, 1280, 800);
    const QSize size(600, 360);
    struct Case {
        QPoint saved;
        int instance;
        QPoint expected;
    };
    const Case cases[] = {
        {{100, 80}, 0, {100, 80}},  // the first program: where it was left
        {{100, 80}, 1, {124, 104}}, // one step down and right per running program
        {{100, 80}, 3, {172, 152}},
        {{680, 440}, 1, {656, 416}}, // at the screen's corner: the other way
        {{-50, -50}, 0, {-50, -50}}, // the first keeps even an odd saved place
    };
    for (const Case& c : cases)
        EXPECT_EQ(ui::CascadedPosition(c.saved, c.instance, screen, size), c.expected)
            << c.instance;
}

TEST_F(MainWindowTest, ClosingDuringALongLoopWaitsForItsEnd)
{
    auto window = makeWindow();
    window->show();
    App& app = window->app();
    {
        core::BusyGuard busy(app);
        EXPECT_FALSE(window->close());
        EXPECT_TRUE(window->isVisible());
        EXPECT_EQ(panel(*window, 1), u"処理が終わってから終了します.");
        EXPECT_FALSE(fakes.help.calls.contains(QStringLiteral("close")));
        // The buttons that would change the sheet are greyed meanwhile; help is not.
        EXPECT_FALSE(window->buttonAction(2)->isEnabled());
        EXPECT_TRUE(window->buttonAction(31)->isEnabled());
        EXPECT_NE(QApplication::overrideCursor(), nullptr);
        // Keys typed now start no entry.
        window->editor()->setFocus();
        QTest::keyClicks(window->editor(), QStringLiteral("12"));
        EXPECT_EQ(app.InputMode, 0);
        EXPECT_TRUE(window->editor()->text().isEmpty());
    }
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(window->buttonAction(2)->isEnabled());
    for (int i = 0; i < 200 && window->isVisible(); ++i)
        QTest::qWait(10);
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(fakes.help.calls.contains(QStringLiteral("close")));
}

TEST_F(MainWindowTest, OpeningACsvFileLeavesTheNormalCursor)
{
    const QString csv = dir.filePath(QStringLiteral("x.csv"));
    QFile file(csv);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("1,2\r\n");
    file.close();
    auto window = makeWindow();
    window->show();
    fakes.fileDialogs.openAnswers.push_back(csv);
    window->runCommand(ui::CommandId::Open);
    EXPECT_EQ(window->app().sheet.FileName, csv);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(MainWindowTest, DialogsAndMessageBoxesOfferNoMinimizeOrMaximize)
{
    auto window = makeWindow();
    window->show();
    const auto noMinMax = [](QWidget* w) {
        const Qt::WindowFlags flags = w->windowFlags();
        EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
        EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
        EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    };
    onNextModal<QMessageBox>([&](QMessageBox* box) {
        noMinMax(box);
        box->reject();
    });
    window->runCommand(ui::CommandId::New);
    for (ui::CommandId id : {ui::CommandId::Insert, ui::CommandId::Font}) {
        const auto seen = actOnNextDialog([&](QDialog* dialog) { noMinMax(dialog); });
        window->runCommand(id);
        EXPECT_FALSE(seen->isEmpty());
    }
}

class GridWindowTest : public MainWindowTest {
protected:
    GridWindowTest()
    {
        window = makeWindow();
        window->resize(600, 360);
        window->show();
        App& app = window->app();
        app.sheet.SheetRows = 100;
        core::ResizeSheet(app);
        core::RefreshHeaders(app);
        QTest::qWait(10);
    }
    QTableView* grid() { return window->grid(); }
    QPoint cellCenter(int c, int r)
    {
        return grid()->visualRect(grid()->model()->index(r - 1, c - 1)).center();
    }
    void wheel(int delta)
    {
        const QPointF pos = cellCenter(2, 3);
        QWheelEvent event(pos, grid()->viewport()->mapToGlobal(pos), QPoint(), QPoint(0, delta),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(grid()->viewport(), &event);
    }
    std::unique_ptr<ui::TF> window;
};

TEST_F(GridWindowTest, OneWheelNotchScrollsOneRowAndKeepsTheCurrentCell)
{
    QScrollBar* bar = grid()->verticalScrollBar();
    ASSERT_EQ(bar->value(), 0);
    wheel(-120);
    EXPECT_EQ(bar->value(), 1);
    EXPECT_EQ(window->app().grid.topRow, 2);
    wheel(-120);
    wheel(120);
    EXPECT_EQ(bar->value(), 1);
    // Half notches add up.
    wheel(-60);
    EXPECT_EQ(bar->value(), 1);
    wheel(-60);
    EXPECT_EQ(bar->value(), 2);
    EXPECT_EQ(window->app().grid.row, 1);
    EXPECT_EQ(grid()->currentIndex().row(), 0);

    window->app().settings.Wheel = false;
    wheel(-120);
    wheel(-360);
    EXPECT_EQ(bar->value(), 2);
}

TEST_F(GridWindowTest, ClickingACellShowsItsNameAndEntry)
{
    App& app = window->app();
    app.sheet.CellText[3][4] = QStringLiteral("=A1+1");
    app.sheet.CellText[2][2] = QStringLiteral("'abc");
    app.sheet.CellText[1][5] = QStringLiteral("\b日本");
    QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, cellCenter(3, 4));
    EXPECT_EQ(app.grid.col, 3);
    EXPECT_EQ(app.grid.row, 4);
    EXPECT_EQ(app.grid.selection, (core::CellBlock{3, 3, 4, 4}));
    EXPECT_EQ(panel(*window, 0), u"C4");
    EXPECT_EQ(panel(*window, 1), u"=A1+1");
    QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, cellCenter(2, 2));
    EXPECT_EQ(panel(*window, 1), u"'abc");
    QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, cellCenter(1, 5));
    EXPECT_EQ(panel(*window, 1), u"日本");
    EXPECT_TRUE(window->editor()->hasFocus());
}

TEST_F(GridWindowTest, DraggingSelectsARangeThatTheCoreSees)
{
    QTest::mousePress(grid()->viewport(), Qt::LeftButton, {}, cellCenter(2, 2));
    QMouseEvent move(QEvent::MouseMove, cellCenter(4, 5),
                     grid()->viewport()->mapToGlobal(cellCenter(4, 5)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(grid()->viewport(), &move);
    QTest::mouseRelease(grid()->viewport(), Qt::LeftButton, {}, cellCenter(4, 5));
    EXPECT_EQ(window->app().grid.selection, (core::CellBlock{2, 4, 2, 5}));
    EXPECT_EQ(window->app().grid.col, 2);
    EXPECT_EQ(window->app().grid.row, 2);
}

TEST_F(GridWindowTest, ACommandMovingTheCurrentCellMovesTheView)
{
    App& app = window->app();
    app.grid.col = 5;
    app.grid.row = 60;
    app.grid.selection = core::CellBlock{4, 5, 58, 60};
    window->gridChanged(platform::GridChange::CurrentCell);
    EXPECT_EQ(grid()->currentIndex(), grid()->model()->index(59, 4));
    EXPECT_EQ(grid()->selectionModel()->selectedIndexes().size(), 6);
    EXPECT_EQ(panel(*window, 0), u"E60");
    // The view scrolled to the cell and reports its top row back.
    EXPECT_LE(app.grid.topRow, 60);
    EXPECT_GE(app.grid.topRow + app.grid.visibleRows, 60);

    // A top row set by the command (page down) is taken as it is.
    app.grid.topRow = 40;
    app.grid.row = 40;
    app.grid.selection = core::CellBlock{5, 5, 40, 40};
    window->gridChanged(platform::GridChange::CurrentCell);
    EXPECT_EQ(grid()->verticalScrollBar()->value(), 39);
    EXPECT_EQ(app.grid.topRow, 40);
}

TEST_F(GridWindowTest, MovingWhileTypingCommitsToTheCellBeingLeft)
{
    App& app = window->app();
    app.InputMode = 1;
    window->editor()->setText(QStringLiteral("abc"));
    QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, cellCenter(3, 3));
    EXPECT_EQ(app.sheet.CellText[1][1], QStringLiteral("\babc"));
    EXPECT_TRUE(app.sheet.CellText[3][3].isEmpty());
    EXPECT_EQ(app.InputMode, 0);
    EXPECT_EQ(app.grid.col, 3);
    EXPECT_EQ(panel(*window, 0), u"C3");
}

TEST_F(GridWindowTest, MenuShortcutsReachTheirItemsWhileTheEditorIsIdle)
{
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    window->editor()->setFocus();
    QSignalSpy undo(window->menuAction(ui::CommandId::Undo), &QAction::triggered);
    QSignalSpy insert(window->menuAction(ui::CommandId::Insert), &QAction::triggered);
    QTest::keyClick(window->editor(), Qt::Key_Z, Qt::ControlModifier);
    const auto dialog = actOnNextDialog(nullptr);
    QTest::keyClick(window->editor(), Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(*dialog, u"行／列の挿入");
    EXPECT_EQ(undo.count(), 1);
    EXPECT_EQ(insert.count(), 1);
}

TEST_F(GridWindowTest, RightClickOpensNothingWhileTyping)
{
    App& app = window->app();
    app.InputMode = 1;
    emit grid()->customContextMenuRequested(cellCenter(2, 2));
    EXPECT_FALSE(window->popupMenu()->isVisible());
    app.InputMode = 0;
    emit grid()->customContextMenuRequested(cellCenter(2, 2));
    EXPECT_TRUE(window->popupMenu()->isVisible());
    window->popupMenu()->hide();
    EXPECT_EQ(app.grid.col, 1);
    // The menu key reaches the editor, which stands for the grid while idle.
    QContextMenuEvent key(QContextMenuEvent::Keyboard, QPoint(2, 2),
                          window->editor()->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(window->editor(), &key);
    EXPECT_TRUE(window->popupMenu()->isVisible());
    window->popupMenu()->hide();
}

} // namespace
