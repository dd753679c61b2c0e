#pragma once

#include <exception>
#include <functional>

#include <QApplication>

// The application object: errors that escape an event handler end up in one handler that shows them
// and writes the error log, instead of ending the program.
class VelkoraApplication : public QApplication
{
public:
    VelkoraApplication(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;

    std::function<void(const std::exception &)> onError;
    // Shows the error in the standard box and appends it to the error log.
    void reportError(const std::exception &e);
};
