#include "QtUserInterface.h"

#include "TdlgValikuList.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

void QtUserInterface::showMessage(const QString &text, const QString &caption)
{
    QMessageBox::information(m_parent, caption, text, QMessageBox::Ok);
}

QtUserInterface::Answer QtUserInterface::ask(const QString &text, const QString &caption, Buttons buttons, Icon icon)
{
    QMessageBox::StandardButtons std;
    switch (buttons) {
    case Buttons::Ok: std = QMessageBox::Ok; break;
    case Buttons::OkCancel: std = QMessageBox::Ok | QMessageBox::Cancel; break;
    case Buttons::YesNo: std = QMessageBox::Yes | QMessageBox::No; break;
    case Buttons::YesNoCancel: std = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel; break;
    }
    QMessageBox::Icon qicon = QMessageBox::NoIcon;
    switch (icon) {
    case Icon::None: break;
    case Icon::Information: qicon = QMessageBox::Information; break;
    case Icon::Warning: qicon = QMessageBox::Warning; break;
    case Icon::Error: qicon = QMessageBox::Critical; break;
    case Icon::Question: qicon = QMessageBox::Question; break;
    }
    QMessageBox box(qicon, caption, text, std, m_parent);
    switch (box.exec()) {
    case QMessageBox::Ok: return Answer::Ok;
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    default: return Answer::Cancel;
    }
}

bool QtUserInterface::inputBox(const QString &caption, const QString &prompt, QString &value)
{
    bool ok = false;
    const QString text = QInputDialog::getText(m_parent, caption, prompt, QLineEdit::Normal, value, &ok);
    if (ok)
        value = text;
    return ok;
}

bool QtUserInterface::selectFromList(const QString &caption, const QStringList &items, int &index)
{
    bool ok = false;
    const QString chosen = QInputDialog::getItem(m_parent, caption, QString(), items, std::max(0, index), false, &ok);
    if (ok)
        index = static_cast<int>(items.indexOf(chosen));
    return ok && index >= 0;
}

bool QtUserInterface::selectRecord(const data::RecordChoice &choice, QString &key)
{
    QString result = choice.currentKey;
    TdlgValikuList dlg(m_parent, &result, nullptr, choice.keyField, choice.dataSet, choice.caption);
    dlg.setFilterMode(choice.filterMode);
    dlg.setBaseCondition(choice.baseCondition);
    dlg.setExtraCondition(choice.extraCondition);
    dlg.setFilterOffCaption(choice.filterOffCaption);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    key = result;
    return true;
}

void QtUserInterface::beginWait()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void QtUserInterface::endWait()
{
    QApplication::restoreOverrideCursor();
}
