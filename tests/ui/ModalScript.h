#pragma once

// Drives modal dialogs of a widget test: each step runs on the modal widget that is active
// when its turn comes, as a user works through one dialog after the other.

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QWidget>
#include <deque>
#include <functional>

class ModalScript {
public:
    /// A step returns false to be tried again on the next tick (a folder still loading).
    using Step = std::function<bool(QWidget* modal)>;

    explicit ModalScript(std::deque<Step> steps)
        : m_steps(std::move(steps))
    {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { tick(); });
        m_timer.start();
    }

    /// Every step ran; false also when the script gave up and rejected a dialog.
    bool finished() const { return m_steps.empty() && !m_gaveUp; }
    /// A dialog never got its answer; the script stopped.
    bool gaveUp() const { return m_gaveUp; }

private:
    void tick()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (m_steps.empty() || !modal) {
            if (m_steps.empty())
                m_timer.stop();
            return;
        }
        if (++m_ticks > 500) {
            // A dialog that never gets its answer fails the test instead of hanging it.
            m_gaveUp = true;
            m_timer.stop();
            if (auto* dialog = qobject_cast<QDialog*>(modal))
                dialog->reject();
            return;
        }
        // Taken off first: a step that opens a nested modal box lets the next step answer
        // it from within.
        Step step = std::move(m_steps.front());
        m_steps.pop_front();
        if (!step(modal))
            m_steps.push_front(std::move(step));
    }

    std::deque<Step> m_steps;
    QTimer m_timer;
    int m_ticks = 0;
    bool m_gaveUp = false;
};
