#include "FilledDialog.h"

#include <QShowEvent>

#include "QtUserInterface.h"

FilledDialog::FilledDialog(data::UserInterface *ui, QWidget *parent) : QDialog(parent), m_ui(ui)
{
    if (!m_ui) {
        m_ownUi = std::make_unique<QtUserInterface>(this);
        m_ui = m_ownUi.get();
    }
    setModal(true);
}

FilledDialog::~FilledDialog() = default;

void FilledDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    try {
        fill();
    } catch (...) {
        QMetaObject::invokeMethod(this, &QDialog::reject, Qt::QueuedConnection);
        throw;
    }
}
