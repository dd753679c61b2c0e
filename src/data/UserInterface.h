#pragma once

#include <QString>

namespace data {

// How the data layer and the data modules speak to the person at the screen. The program gives the
// window implementation; tests give a scripted one.
class UserInterface
{
public:
    virtual ~UserInterface() = default;
    // A message box with an OK button.
    virtual void showMessage(const QString &text, const QString &caption) = 0;
};

} // namespace data
