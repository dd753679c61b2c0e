#pragma once

// Driving windows offscreen as a person would: typing, and answering the modal window that an
// action opens.

#include <functional>
#include <memory>

#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace windowdriver {

// Typed as a person would; characters outside ASCII go one key event at a time.
inline void typeText(QWidget *w, const QString &text)
{
    for (const QChar ch : text) {
        if (ch.unicode() < 128) {
            QTest::keyClicks(w, QString(ch));
            continue;
        }
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(w, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(w, &release);
    }
}

inline void replaceText(QLineEdit *edit, const QString &text)
{
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    typeText(edit, text);
}

// Runs `action` on the modal window of type T once it is up. Should none come, the test fails and
// whatever modal window there is gets closed, so that no test hangs in a modal loop.
template <typename T> void whenModal(std::function<void(T *)> action)
{
    auto *timer = new QTimer;
    auto deadline = std::make_shared<QDeadlineTimer>(10000);
    QObject::connect(timer, &QTimer::timeout, [timer, deadline, action] {
        if (auto *w = qobject_cast<T *>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            action(w);
        } else if (deadline->hasExpired()) {
            timer->stop();
            timer->deleteLater();
            ADD_FAILURE() << "the expected modal window did not come";
            if (auto *d = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
                d->reject();
        }
    });
    timer->start(10);
}

// Windows are driven offscreen, also when the test list is read at build time outside ctest's
// environment. Called first in main, before the application object exists.
inline void useOffscreenWindows()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

} // namespace windowdriver

using windowdriver::replaceText;
using windowdriver::typeText;
using windowdriver::useOffscreenWindows;
using windowdriver::whenModal;
