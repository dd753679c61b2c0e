#include "QtUserInterface.h"

#include "TdlgPlaneeringuValik1.h"
#include "TdlgValikuList.h"
#include "data/Translate.h"

#include <QAbstractButton>

#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QStandardPaths>
#include <QDesktopServices>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QProcess>
#include <QUrl>

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
    // The buttons speak the language of the rest of the program, not the desktop's.
    const QList<QPair<QMessageBox::StandardButton, const char *>> names = {
        {QMessageBox::Yes, "&Jah"}, {QMessageBox::No, "&Ei"}, {QMessageBox::Cancel, "&Loobu"}};
    for (const auto &[button, name] : names)
        if (QAbstractButton *b = box.button(button))
            b->setText(Translate(QString::fromUtf8(name)));
    switch (box.exec()) {
    case QMessageBox::Ok: return Answer::Ok;
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    default: return Answer::Cancel;
    }
}

bool QtUserInterface::inputBox(const QString &caption, const QString &prompt, QString &value)
{
    QInputDialog dlg(m_parent);
    dlg.setWindowTitle(caption);
    dlg.setLabelText(prompt);
    dlg.setTextValue(value);
    dlg.setCancelButtonText(Translate(QStringLiteral("&Loobu")));
    if (dlg.exec() != QDialog::Accepted)
        return false;
    value = dlg.textValue();
    return true;
}

bool QtUserInterface::selectFromList(const QString &caption, const QStringList &items, int &index)
{
    QInputDialog dlg(m_parent);
    dlg.setWindowTitle(caption);
    dlg.setComboBoxItems(items);
    dlg.setComboBoxEditable(false);
    if (index >= 0 && index < items.size())
        dlg.setTextValue(items.at(index));
    dlg.setCancelButtonText(Translate(QStringLiteral("&Loobu")));
    if (dlg.exec() != QDialog::Accepted)
        return false;
    index = static_cast<int>(items.indexOf(dlg.textValue()));
    return index >= 0;
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

data::UserInterface::Answer QtUserInterface::chooseRow(const QString &caption, const QString &text, data::DataSet &rows)
{
    TdlgPlaneeringuValik1 dlg(caption, text, rows, m_parent);
    return dlg.choose();
}

void QtUserInterface::beginWait()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void QtUserInterface::endWait()
{
    QApplication::restoreOverrideCursor();
}

void QtUserInterface::setClipboardText(const QString &text)
{
    QApplication::clipboard()->setText(text);
}

bool QtUserInterface::askSaveFileName(const QString &caption, const QString &filter, const QString &defaultSuffix,
                                      QString &fileName)
{
    QFileDialog dlg(m_parent, caption, fileName, filter);
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setFileMode(QFileDialog::AnyFile);
    dlg.setDefaultSuffix(defaultSuffix);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return false;
    fileName = dlg.selectedFiles().constFirst();
    return true;
}

QString QtUserInterface::askOpenFileName(const QString &caption, const QString &startPath)
{
    QFileDialog dlg(m_parent, caption, startPath);
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    dlg.setFileMode(QFileDialog::ExistingFile);
    if (QFileInfo(startPath).isFile())
        dlg.selectFile(startPath);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return QString();
    return dlg.selectedFiles().constFirst();
}

void QtUserInterface::setDialer(const QString &program, const QStringList &arguments)
{
    m_dialer = program;
    m_dialerArguments = arguments;
}

void QtUserInterface::setDialerCommand(const QString &commandLine)
{
    QStringList words = QProcess::splitCommand(commandLine);
    const QString program = words.isEmpty() ? QString() : words.takeFirst();
    setDialer(program, words.isEmpty() && !program.isEmpty() ? QStringList{QStringLiteral("%number%")} : words);
}

void QtUserInterface::dial(const QString &destination, const QString &calledParty)
{
    if (destination.isEmpty())
        return;
    if (m_dialer.isEmpty()) {
        // Whatever the desktop dials with; nothing happens where nothing is set up.
        QDesktopServices::openUrl(QUrl(QStringLiteral("tel:") + QString(destination).remove(QLatin1Char(' '))));
        return;
    }
    // Each argument goes to the program as it stands: no shell ever reads the number or the name.
    QStringList arguments;
    for (QString a : m_dialerArguments)
        arguments << a.replace(QStringLiteral("%number%"), destination).replace(QStringLiteral("%name%"), calledParty);
    QProcess::startDetached(m_dialer, arguments);
}

bool QtUserInterface::openDocument(const QString &path, QString *error)
{
    if (!QFileInfo::exists(path)) {
        if (error)
            *error = QStringLiteral("No such file or directory (errorcode 2)");
        return false;
    }
    if (QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        return true;
    if (error)
        *error = QStringLiteral("No program is associated with the file");
    return false;
}

bool QtUserInterface::openUrl(const QString &url)
{
    return QDesktopServices::openUrl(QUrl(url));
}

bool QtUserInterface::composeMail(const QString &address, const QString &name, const QString &messageType,
                                  const QStringList &attachments)
{
    (void)messageType; // the desktop's mail program has no fax or SMTP types
    const QString to = name.isEmpty() || address.isEmpty() ? address : name + QStringLiteral(" <") + address + QLatin1Char('>');
    const QString mailer = QStandardPaths::findExecutable(QStringLiteral("xdg-email"));
    if (!mailer.isEmpty()) {
        QStringList arguments;
        for (const QString &file : attachments)
            arguments << QStringLiteral("--attach") << file;
        if (!address.isEmpty())
            arguments << address;
        return QProcess::startDetached(mailer, arguments);
    }
    QUrl url(QStringLiteral("mailto:") + to);
    return QDesktopServices::openUrl(url);
}
