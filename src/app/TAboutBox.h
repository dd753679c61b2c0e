#pragma once

#include <QDialog>
#include <QString>
#include <QUrl>

class QLabel;

namespace data {
class UserInterface;
}

// "Programmist": the program's title, version and release date, and where to find its maker.
class TAboutBox : public QDialog
{
    Q_OBJECT

public:
    // `message`, when given, is shown in a message box once the box is up.
    TAboutBox(data::UserInterface *ui, const QString &message = QString(), QWidget *parent = nullptr);

    // "Version 1.2", "Version 1.2.3" or "Version 1.2.3.4": the release is shown when it or the build
    // is above 0, the build only when it is above 0.
    static QString versionText(int major, int minor, int release, int build);
    // The program's own version ("1.2.3.4", missing parts 0) in that form, with the release date.
    static QString versionLine(const QString &applicationVersion);
    // A new message to `address` in the user's mail program; blanks are written as "%20".
    static QUrl mailTo(const QString &address);

    static constexpr const char *HomePage = "https://www.lumora.ee";
    static constexpr const char *SalesAddress = "myyk@lumora.ee";
    static constexpr const char *SupportAddress = "tugi@lumora.ee";

    // Where a clicked link went, for tests; the program opens it in the browser or mail program.
    QUrl lastOpened() const { return m_lastOpened; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    void open(const QUrl &url);

    data::UserInterface *m_ui;
    QString m_message;
    QUrl m_lastOpened;
};
