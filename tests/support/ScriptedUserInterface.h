#pragma once

#include <deque>

#include <QString>

#include "data/UserInterface.h"

// The user interface of the tests: every message, question, input box and selection must be
// announced beforehand with its text; anything unannounced, or a different text, fails the test.
class ScriptedUserInterface : public data::UserInterface
{
public:
    ~ScriptedUserInterface() override;

    void expectMessage(const QString &text, const QString &caption);
    // A message whose text the test cannot know beforehand (the server's words); it is kept in `text`.
    void expectMessageText(const QString &caption, QString *text);
    void expectQuestion(const QString &text, const QString &caption, Answer answer);
    void expectInput(const QString &caption, const QString &prompt, bool ok, const QString &value = QString());
    void expectSelection(const QString &caption, bool ok, int index, QStringList *shownItems = nullptr);
    // The selection dialog over a dataset: the rows it shows (under the conditions it applies) are
    // put into `shownRows` as the text of `shownField`, and OK takes the row at `index` of them.
    void expectRecordSelection(const QString &caption, bool ok, int index, QStringList *shownRows = nullptr,
                               const QString &shownField = QString());
    // The choice of a row with Yes, No and Cancel: Yes takes the row at `index` of those shown; the
    // text shown is compared, and the rows shown go into `shownRows` as the text of `shownField`.
    void expectRowChoice(const QString &caption, const QString &text, Answer answer, int index = 0,
                         QStringList *shownRows = nullptr, const QString &shownField = QString());
    // The save dialog: OK gives `fileName`; the proposed name is put into `proposed`.
    void expectSaveFileName(const QString &caption, bool ok, const QString &fileName, QString *proposed = nullptr);
    // The open dialog: OK gives `fileName`; where it started is put into `startPath`.
    void expectOpenFileName(const QString &caption, bool ok, const QString &fileName, QString *startPath = nullptr);
    // The text last put on the clipboard and how many times it was set.
    const QString &clipboardText() const { return m_clipboard; }
    int clipboardWrites() const { return m_clipboardWrites; }
    // The numbers handed to the telephone, each with the party called.
    const QList<QPair<QString, QString>> &dialled() const { return m_dialled; }
    // What the last selection dialog was asked to show (its dataset is not kept).
    const data::RecordChoice &lastRecordChoice() const { return m_lastChoice; }
    // Messages shown so far (caption: text), for tests that look at them afterwards.
    const QStringList &shown() const { return m_shown; }
    bool allSeen() const { return m_expected.empty(); }
    int waitDepth() const { return m_wait; }

    void showMessage(const QString &text, const QString &caption) override;
    Answer ask(const QString &text, const QString &caption, Buttons buttons, Icon icon = Icon::Question) override;
    bool inputBox(const QString &caption, const QString &prompt, QString &value) override;
    bool selectFromList(const QString &caption, const QStringList &items, int &index) override;
    bool selectRecord(const data::RecordChoice &choice, QString &key) override;
    Answer chooseRow(const QString &caption, const QString &text, data::DataSet &rows) override;
    void beginWait() override { ++m_wait; }
    void endWait() override { --m_wait; }
    void dial(const QString &destination, const QString &calledParty) override { m_dialled.append({destination, calledParty}); }
    void setClipboardText(const QString &text) override
    {
        m_clipboard = text;
        ++m_clipboardWrites;
    }
    bool askSaveFileName(const QString &caption, const QString &filter, const QString &defaultSuffix,
                         QString &fileName) override;
    QString askOpenFileName(const QString &caption, const QString &startPath) override;
    // Files and addresses handed to the desktop, and messages handed to the mail program.
    struct Mail
    {
        QString address;
        QString name;
        QString messageType;
        QStringList attachments;
    };
    const QStringList &openedDocuments() const { return m_documents; }
    const QStringList &openedUrls() const { return m_urls; }
    const QList<Mail> &composedMails() const { return m_mails; }
    bool openDocument(const QString &path, QString *error = nullptr) override
    {
        (void)error;
        m_documents.append(path);
        return true;
    }
    bool openUrl(const QString &url) override
    {
        m_urls.append(url);
        return true;
    }
    bool composeMail(const QString &address, const QString &name, const QString &messageType,
                     const QStringList &attachments) override
    {
        m_mails.append(Mail{address, name, messageType, attachments});
        return true;
    }

private:
    enum class Kind { Message, Question, Input, Selection, RecordSelection, RowChoice, SaveFile, OpenFile };
    struct Step
    {
        Kind kind = Kind::Message;
        QString text;
        QString caption;
        Answer answer = Answer::Ok;
        bool ok = true;
        QString value;
        int index = 0;
        QStringList *items = nullptr;
        QString *captured = nullptr;
    };
    Step take(Kind kind, const QString &text, const QString &caption);

    std::deque<Step> m_expected;
    data::RecordChoice m_lastChoice;
    QStringList m_shown;
    int m_wait = 0;
    QString m_clipboard;
    int m_clipboardWrites = 0;
    QList<QPair<QString, QString>> m_dialled;
    QStringList m_documents;
    QStringList m_urls;
    QList<Mail> m_mails;
};
