#pragma once

#include <memory>

#include <QDialog>

#include "data/DatabaseName.h"
#include "data/DatabaseSettings.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QLineEdit;
class QPushButton;

namespace data {
class UserInterface;
}

// The set-up dialog in which the user names the database server and the database, when the
// configured database cannot be reached or there is none yet.
class TdlgDBSetup : public QDialog
{
    Q_OBJECT

public:
    // Without a user interface the dialog's messages go to Qt message boxes.
    TdlgDBSetup(const DatabaseSettings &settings, data::UserInterface *ui, QWidget *parent = nullptr);
    ~TdlgDBSetup() override;

    // The name put together from the fields, in the form of the chosen protocol.
    QString databaseName() const;
    QString characterSet() const;
    // Not shown: handed back as it came.
    const QString &role() const { return m_role; }

    // Entries of the protocol list, in their order there.
    static DatabaseName::Protocol protocolAt(int index);
    static int indexOf(DatabaseName::Protocol protocol);

private slots:
    void bOkClick();
    void cbAdvancedClick(bool checked);
    void bBrowseClick();

private:
    QLineEdit *m_edServerName;
    QLineEdit *m_edDatabaseName;
    QPushButton *m_bBrowse;
    QComboBox *m_cbProtocol;
    QCheckBox *m_cbAdvanced;
    QFrame *m_pnAdvanced;
    QLineEdit *m_edTCPPort;
    QLineEdit *m_edCharSet;
    QString m_role;
    data::UserInterface *m_ui;
    std::unique_ptr<data::UserInterface> m_ownUi;
};

// Shows the set-up dialog on the current settings. On OK the chosen database name and character set
// go into the settings (the role stays) and true is returned; on Cancel nothing changes.
bool RunDatabaseSetup(DatabaseSettings &settings, QWidget *parent, data::UserInterface *ui);
