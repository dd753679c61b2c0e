#pragma once

#include <QString>

class QWidget;
class TdmUserSettings1;

// Puts windows back where the user left them, through the per-user settings.
class WindowPlacement
{
public:
    // The main window's state and normal geometry (and a main window's tool bars) under `name`.
    static void store(TdmUserSettings1 &settings, const QString &name, QWidget *window);
    // Normal state first, moved to the stored geometry, then maximised if it was; false when nothing
    // was stored under `name`.
    static bool restore(TdmUserSettings1 &settings, const QString &name, QWidget *window);

    // A child window's size under its class name (the window's own class when `className` is empty).
    // Only a window in the normal state is stored: a maximised child's size says nothing of the
    // size the user gave it.
    static void storeChildSize(TdmUserSettings1 &settings, QWidget *window, const QString &className = QString());
    // Keeps the position; the stored size, or the current one where none is stored.
    static void restoreChildSize(TdmUserSettings1 &settings, QWidget *window, const QString &className = QString());

    static QString classNameOf(const QWidget *window);
};
