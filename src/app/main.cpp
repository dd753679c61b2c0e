#include "StartUp.h"
#include "VelkoraApplication.h"
#include "fb/TerminationRequest.h"

int main(int argc, char *argv[])
{
    // Before any thread starts: requests to end the process are the program's to answer.
    fb::TerminationRequest::install({});
    VelkoraApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("velkora1IB"));
    QApplication::setApplicationVersion(QStringLiteral("1.0"));
    StartUp startUp(app, QApplication::arguments());
    const int code = startUp.run();
    if (code != 0)
        return code;
    return QApplication::exec();
}
