#include "VelkoraApplication.h"

#include <QMessageBox>

#include "data/ErrorLog.h"
#include "data/DataError.h"

VelkoraApplication::VelkoraApplication(int &argc, char **argv) : QApplication(argc, argv) {}

bool VelkoraApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const data::Abort &) {
        // A rule that refused has shown its message already.
    } catch (const std::exception &e) {
        reportError(e);
    }
    return false;
}

void VelkoraApplication::reportError(const std::exception &e)
{
    if (onError) {
        onError(e);
        return;
    }
    QMessageBox::critical(activeWindow(), applicationDisplayName(), ErrorLog::messageOf(e));
}
