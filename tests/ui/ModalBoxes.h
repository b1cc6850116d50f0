#pragma once

// Answers the next modal message box of a widget test, the way a user would: by clicking
// one of its buttons.

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <memory>

struct SeenBox {
    bool seen = false;
    QString caption;
    QString text;
    QStringList buttons; // in the order they are laid out
    QString defaultButton;
};

/// Calls act once with the next modal widget of type W; gives up after a few seconds, so a
/// test fails instead of hanging.
template <typename W>
void onNextModal(std::function<void(W*)> act)
{
    auto* timer = new QTimer;
    auto waited = std::make_shared<int>(0);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, waited, act] {
        auto* widget = qobject_cast<W*>(QApplication::activeModalWidget());
        if (!widget && ++*waited <= 500)
            return;
        // Deleting waits for the outer event loop; the timer must not fire meanwhile.
        timer->stop();
        timer->deleteLater();
        if (widget)
            act(widget);
    });
    timer->start();
}

/// Clicks the button captioned buttonText in the next message box; an empty text presses
/// Escape's button. A box that never gets its button is rejected.
inline std::shared_ptr<SeenBox> answerNextBox(const QString& buttonText)
{
    auto seen = std::make_shared<SeenBox>();
    onNextModal<QMessageBox>([seen, buttonText](QMessageBox* box) {
        seen->seen = true;
        seen->caption = box->windowTitle();
        seen->text = box->text();
        for (QAbstractButton* button : box->buttons())
            seen->buttons.append(button->text());
        if (box->defaultButton())
            seen->defaultButton = box->defaultButton()->text();
        QAbstractButton* target = box->escapeButton();
        for (QAbstractButton* button : box->buttons())
            if (!buttonText.isEmpty() && button->text() == buttonText)
                target = button;
        if (target)
            target->click();
        else
            box->reject();
    });
    return seen;
}

/// While alive, answers every message box with its default button; for code paths whose
/// messages a test does not look at.
class AutoAnswerBoxes {
public:
    AutoAnswerBoxes()
    {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                ++answered;
                if (box->defaultButton())
                    box->defaultButton()->click();
                else
                    box->reject();
            }
        });
        m_timer.start();
    }
    int answered = 0;

private:
    QTimer m_timer;
};

/// Calls act with the next modal dialog of any kind (a dialog left open after act is
/// rejected). The result holds the dialog's title once it was seen.
inline std::shared_ptr<QString> actOnNextDialog(std::function<void(QDialog*)> act)
{
    auto seen = std::make_shared<QString>();
    onNextModal<QDialog>([seen, act](QDialog* dialog) {
        *seen = dialog->windowTitle();
        if (act)
            act(dialog);
        if (dialog->isVisible())
            dialog->reject();
    });
    return seen;
}
