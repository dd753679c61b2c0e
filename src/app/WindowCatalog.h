#pragma once

#include <QString>

class QWidget;
struct WindowContext;

// The child windows of the program by class name: what the main window's commands open.
class WindowCatalog
{
public:
    // A new window of the class, or nullptr for a class the program does not have.
    static QWidget *create(const QString &className, const WindowContext &context);
};
