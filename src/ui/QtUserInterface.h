#pragma once

#include <QStringList>

#include "data/UserInterface.h"

class QWidget;

// The user interface port with Qt's message boxes, input dialog and cursor.
class QtUserInterface : public data::UserInterface
{
public:
    explicit QtUserInterface(QWidget *parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget *parent) { m_parent = parent; }

    void showMessage(const QString &text, const QString &caption) override;
    Answer ask(const QString &text, const QString &caption, Buttons buttons, Icon icon = Icon::Question) override;
    bool inputBox(const QString &caption, const QString &prompt, QString &value) override;
    bool selectFromList(const QString &caption, const QStringList &items, int &index) override;
    bool selectRecord(const data::RecordChoice &choice, QString &key) override;
    Answer chooseRow(const QString &caption, const QString &text, data::DataSet &rows) override;
    void beginWait() override;
    void endWait() override;
    void setClipboardText(const QString &text) override;
    // The dialler: a program the user set up, started with its arguments, in which "%number%" and
    // "%name%" stand for the destination and the party called. Without one the desktop's handler of
    // tel: addresses gets the number.
    void setDialer(const QString &program, const QStringList &arguments);
    // The same from one command line as the user writes it in the settings ("dialler --call %number%"),
    // split into words as a shell would, quotes included, but never run through one. An empty line
    // leaves the desktop's handler; a program without arguments gets the number.
    void setDialerCommand(const QString &commandLine);
    void dial(const QString &destination, const QString &calledParty) override;
    bool askSaveFileName(const QString &caption, const QString &filter, const QString &defaultSuffix,
                         QString &fileName) override;
    QString askOpenFileName(const QString &caption, const QString &startPath) override;
    bool openDocument(const QString &path, QString *error = nullptr) override;
    bool openUrl(const QString &url) override;
    // The desktop's mail program through xdg-email (which can attach files), else a mailto: address.
    bool composeMail(const QString &address, const QString &name, const QString &messageType,
                     const QStringList &attachments) override;

private:
    QWidget *m_parent;
    QString m_dialer;
    QStringList m_dialerArguments;
};
