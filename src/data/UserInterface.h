#pragma once

#include <QString>
#include <QStringList>

namespace data {

class DataSet;

// A row to be picked from a dataset by its key: the selection dialog's request. In filter mode the
// base condition always applies and the extra condition until the user asks to see all rows.
struct RecordChoice
{
    QString caption;
    DataSet *dataSet = nullptr;
    QString keyField;
    QString currentKey; // the row the list opens on; empty: the dataset's current row
    bool filterMode = false;
    QString baseCondition;
    QString extraCondition;
    QString filterOffCaption;
};

// How the data layer and the data modules speak to the person at the screen: message boxes,
// questions, input boxes, selection lists and the hourglass. The program gives the window
// implementation; tests give a scripted one in which an unexpected question fails the test.
class UserInterface
{
public:
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
    enum class Answer { Ok, Cancel, Yes, No };
    enum class Icon { None, Information, Warning, Error, Question };

    virtual ~UserInterface() = default;

    // A message box with an OK button.
    virtual void showMessage(const QString &text, const QString &caption) = 0;
    // A message box with the given buttons; returns the button pressed (Cancel when closed).
    virtual Answer ask(const QString &text, const QString &caption, Buttons buttons, Icon icon = Icon::Question) = 0;
    // An input box; on OK `value` holds the text entered and true is returned.
    virtual bool inputBox(const QString &caption, const QString &prompt, QString &value) = 0;
    // A list to choose one entry from; on OK `index` holds the chosen entry and true is returned.
    virtual bool selectFromList(const QString &caption, const QStringList &items, int &index) = 0;
    // The selection dialog over a dataset. On OK `key` holds the chosen row's key as text, the
    // dataset stands on that row and true is returned; a filter-mode choice leaves the base condition
    // applied.
    virtual bool selectRecord(const RecordChoice &choice, QString &key) = 0;
    // A row of a dataset offered with a text: Yes (or a double-click) takes the row the dataset then
    // stands on, No goes on without one, Cancel (or closing) gives up. The columns shown are the
    // dataset's visible fields.
    virtual Answer chooseRow(const QString &caption, const QString &text, DataSet &rows) = 0;
    // The hourglass cursor while a long operation runs (calls nest).
    virtual void beginWait() = 0;
    virtual void endWait() = 0;
    // Puts plain text on the clipboard.
    virtual void setClipboardText(const QString &text) { (void)text; }
    // Hands a number to the telephone: the destination as dialled and the party called. Silent when
    // the workstation has no way to dial.
    virtual void dial(const QString &destination, const QString &calledParty)
    {
        (void)destination;
        (void)calledParty;
    }
    // Opens a file with the program the desktop associates with it; false (with the reason in
    // `error`) when it cannot.
    virtual bool openDocument(const QString &path, QString *error = nullptr)
    {
        (void)path;
        if (error)
            *error = QStringLiteral("No program to open it");
        return false;
    }
    // Opens an address (http, https, mailto) with the desktop's program for it.
    virtual bool openUrl(const QString &url)
    {
        (void)url;
        return false;
    }
    // Hands a message to the user's mail program for the user to write and send: the addressee,
    // the message type of the program parameters and the files to attach.
    virtual bool composeMail(const QString &address, const QString &name, const QString &messageType,
                             const QStringList &attachments)
    {
        (void)address;
        (void)name;
        (void)messageType;
        (void)attachments;
        return false;
    }
    // The save dialog: `fileName` comes in as the proposed name and holds the chosen file on OK.
    // `filter` lists the file types as "Text (*.txt);;All Files (*)". Asks before overwriting.
    virtual bool askSaveFileName(const QString &caption, const QString &filter, const QString &defaultSuffix,
                                 QString &fileName)
    {
        (void)caption;
        (void)filter;
        (void)defaultSuffix;
        (void)fileName;
        return false;
    }
    // The open dialog for an existing file, starting at `startPath` (a folder or a file in it).
    // Returns the chosen file, or an empty text when cancelled.
    virtual QString askOpenFileName(const QString &caption, const QString &startPath)
    {
        (void)caption;
        (void)startPath;
        return QString();
    }
};

// Shows the hourglass for the lifetime of the object.
class WaitCursor
{
public:
    explicit WaitCursor(UserInterface *ui) : m_ui(ui)
    {
        if (m_ui)
            m_ui->beginWait();
    }
    ~WaitCursor()
    {
        if (m_ui)
            m_ui->endWait();
    }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;

private:
    UserInterface *m_ui;
};

} // namespace data
