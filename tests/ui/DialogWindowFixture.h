#pragma once

// A shown main window whose commands open their real dialogs, answered step by step as a
// user would.

#include "EditorWindowFixture.h"
#include "ModalScript.h"
#include "ui/RadioGroup.h"

#include <QMessageBox>
#include <deque>
#include <functional>

/// A step acting in the next modal dialog of type D.
template <typename D> ModalScript::Step in(std::function<void(D*)> act)
{
    return [act](QWidget* modal) {
        auto* dialog = dynamic_cast<D*>(modal);
        if (!dialog)
            return false;
        act(dialog);
        return true;
    };
}

/// The caption of the checked item.
inline QString checked(ui::RadioGroup* group)
{
    const int i = group->index();
    return i < 0 ? QString() : group->items()[i];
}

class DialogWindowTest : public EditorWindowTest {
protected:
    explicit DialogWindowTest(int rows = 20)
        : EditorWindowTest(rows)
    {
    }

    /// Types an entry into a cell and commits it with Enter.
    void enter(int c, int r, const QString& text)
    {
        go(c, r);
        type(text);
        key(Qt::Key_Return);
    }
    /// Selects from the current cell c columns to the right and r rows down, as Shift and
    /// the arrows do.
    void extendSelection(int c, int r)
    {
        QTest::keyPress(ed(), Qt::Key_Shift);
        for (int i = 0; i < c; ++i)
            keyWithShiftHeld(Qt::Key_Right);
        for (int i = 0; i < r; ++i)
            keyWithShiftHeld(Qt::Key_Down);
        QTest::keyRelease(ed(), Qt::Key_Shift);
    }
    /// The cell's display text as the grid shows it.
    QString shownRaw(int c, int r)
    {
        return grid()->model()->index(r - 1, c - 1).data().toString();
    }
    QString shown(int c, int r) { return shownRaw(c, r).trimmed(); }
    /// Runs a command while the steps answer its dialog and boxes in turn; every step must
    /// have run and no box may be left over.
    void run(commands::CommandId id, std::deque<ModalScript::Step> steps)
    {
        ModalScript script(std::move(steps));
        QString leftOver;
        QTimer guard;
        int idle = 0;
        guard.setInterval(10);
        QObject::connect(&guard, &QTimer::timeout, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            // Left over after the last step, or after the script gave up on a dialog: closed,
            // so that the test fails instead of hanging.
            if (!modal || !(script.finished() || script.gaveUp()) || ++idle < 300)
                return;
            auto* box = qobject_cast<QMessageBox*>(modal);
            leftOver = box ? box->text() : modal->windowTitle();
            if (auto* dialog = qobject_cast<QDialog*>(modal))
                dialog->reject();
        });
        guard.start();
        window->runCommand(id);
        EXPECT_TRUE(script.finished()) << "a step found no dialog";
        EXPECT_EQ(leftOver, QString()) << "a dialog or box nobody answered";
    }
};
