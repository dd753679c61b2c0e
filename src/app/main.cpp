#include <QApplication>

#include "TfMain.h"

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("velkora1IB"));
    TfMain w;
    w.show();
    return QApplication::exec();
}
