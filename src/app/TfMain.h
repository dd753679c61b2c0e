#pragma once

#include <QMainWindow>

class QMdiArea;

// The program's main window: an MDI frame for the child windows.
class TfMain : public QMainWindow
{
    Q_OBJECT

public:
    explicit TfMain(QWidget *parent = nullptr);

    QMdiArea *mdiArea() const { return m_mdi; }

private:
    QMdiArea *m_mdi;
};
