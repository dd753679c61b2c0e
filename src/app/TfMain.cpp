#include "TfMain.h"

#include <QMdiArea>

TfMain::TfMain(QWidget *parent) : QMainWindow(parent), m_mdi(new QMdiArea(this))
{
    setWindowTitle(QStringLiteral("Lumora-Contact"));
    setCentralWidget(m_mdi);
    resize(1024, 720);
}
