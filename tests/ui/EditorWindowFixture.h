#pragma once

// A shown main window whose editor gets real key and input-method events.

#include "core/App.h"
#include "core/Cells.h"
#include "core/Display.h"
#include "core/SheetOps.h"
#include "platform/fake/FakePlatform.h"
#include "ui/EditorLine.h"
#include "ui/TF.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

class EditorWindowTest : public ::testing::Test {
protected:
    explicit EditorWindowTest(int rows = 100)
    {
        window = std::make_unique<ui::TF>(appState);
        window->resize(600, 360);
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        setRows(rows);
        QTest::qWait(10);
        window->editor()->setFocus();
    }

    App& app() { return window->app(); }
    core::Sheet& sheet() { return window->app().sheet; }
    ui::EditorLine* ed() { return window->editor(); }
    QTableView* grid() { return window->grid(); }

    void setRows(int rows)
    {
        sheet().SheetRows = rows;
        core::ResizeSheet(app());
        core::RefreshHeaders(app());
    }
    /// Stores an entry as typing would, without going through the editor.
    void put(int c, int r, const QString& stored)
    {
        sheet().CellText[c][r] = stored;
        core::ShowCell(app(), c, r);
        sheet().LastCol = std::max(sheet().LastCol, c);
        sheet().LastRow = std::max(sheet().LastRow, r);
    }
    static QString entry(const QString& text) { return QChar(core::TextMark) + text; }

    void key(Qt::Key k, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QTest::keyClick(ed(), k, mods);
    }
    void type(const QString& text) { QTest::keyClicks(ed(), text); }
    /// A key pressed while Shift is already held: no Shift key event of its own.
    void keyWithShiftHeld(Qt::Key k)
    {
        QKeyEvent press(QEvent::KeyPress, k, Qt::ShiftModifier);
        QApplication::sendEvent(ed(), &press);
        QKeyEvent release(QEvent::KeyRelease, k, Qt::ShiftModifier);
        QApplication::sendEvent(ed(), &release);
    }
    /// Moves the current cell as a click would.
    void go(int c, int r)
    {
        const QRect cell = grid()->visualRect(grid()->model()->index(r - 1, c - 1));
        if (cell.intersects(grid()->viewport()->rect())) {
            QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, cell.center());
        } else {
            app().grid.col = c;
            app().grid.row = r;
            app().grid.selection = core::CellBlock{c, c, r, r};
            window->gridChanged(platform::GridChange::CurrentCell);
        }
        ed()->setFocus();
    }
    QString panel(int n)
    {
        const QString name = QStringLiteral("Info.Panel") + QString::number(n);
        return window->findChild<QLabel*>(name)->text();
    }
    /// The current cell's rectangle in the grid area's coordinates, without its separator.
    QRect cellRect(int c, int r)
    {
        const QRect v = grid()->visualRect(grid()->model()->index(r - 1, c - 1));
        return QRect(grid()->viewport()->mapTo(grid()->parentWidget(), v.topLeft()),
                     QSize(v.width() - 1, v.height() - 1));
    }

    platform::FakePlatform fakes;
    App appState{fakes.services()};
    std::unique_ptr<ui::TF> window;
};
