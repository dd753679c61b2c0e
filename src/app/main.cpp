#include "StartUp.h"
#include "VelkoraApplication.h"

int main(int argc, char *argv[])
{
    VelkoraApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("velkora1IB"));
    QApplication::setApplicationVersion(QStringLiteral("1.0"));
    StartUp startUp(app, QApplication::arguments());
    const int code = startUp.run();
    if (code != 0)
        return code;
    return QApplication::exec();
}
