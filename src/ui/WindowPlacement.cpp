#include "WindowPlacement.h"

#include <QMainWindow>
#include <QWidget>

#include "data/TdmUserSettings1.h"

void WindowPlacement::store(TdmUserSettings1 &settings, const QString &name, QWidget *window)
{
    if (!window)
        return;
    using State = TdmUserSettings1::WindowState;
    const State state = window->isMaximized()   ? State::Maximized
                        : window->isMinimized() ? State::Minimized
                                                : State::Normal;
    QByteArray bars;
    if (auto *main = qobject_cast<QMainWindow *>(window))
        bars = main->saveState();
    settings.SaveWindowPlacement(name, state, window->geometry(), bars);
}

bool WindowPlacement::restore(TdmUserSettings1 &settings, const QString &name, QWidget *window)
{
    if (!window)
        return false;
    const std::optional<TdmUserSettings1::Placement> p = settings.RestoreWindowPlacement(name, window->geometry());
    if (!p)
        return false;
    window->setWindowState(window->windowState() & ~(Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen));
    window->setGeometry(p->geometry);
    if (auto *main = qobject_cast<QMainWindow *>(window); main && !p->state.isEmpty())
        main->restoreState(p->state);
    if (p->maximized)
        window->setWindowState(window->windowState() | Qt::WindowMaximized);
    return true;
}

void WindowPlacement::storeChildSize(TdmUserSettings1 &settings, QWidget *window, const QString &className)
{
    if (!window || (window->windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen)))
        return;
    settings.SaveChildSize(className.isEmpty() ? classNameOf(window) : className, window->size());
}

void WindowPlacement::restoreChildSize(TdmUserSettings1 &settings, QWidget *window, const QString &className)
{
    if (!window)
        return;
    window->resize(settings.RestoreChildSize(className.isEmpty() ? classNameOf(window) : className, window->size()));
}

QString WindowPlacement::classNameOf(const QWidget *window)
{
    return window ? QString::fromLatin1(window->metaObject()->className()) : QString();
}
