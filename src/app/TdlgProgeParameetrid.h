#pragma once

#include <memory>

#include <QDialog>

class QButtonGroup;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class ProgramParameters;

namespace data {
class UserInterface;
}

// "Programmi parameetrid": the administrator's view of the parameters every workstation shares.
class TdlgProgeParameetrid : public QDialog
{
    Q_OBJECT

public:
    // Without a user interface the hourglass is Qt's own.
    TdlgProgeParameetrid(ProgramParameters &parameters, data::UserInterface *ui, QWidget *parent = nullptr);
    ~TdlgProgeParameetrid() override;

    // Shows the dialog modally; true when OK stored the values.
    static bool Run(ProgramParameters &parameters, data::UserInterface *ui, QWidget *parent = nullptr);

public slots:
    void bOKClick();
    void bBrowseDocumentsRootClick();

protected:
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void fill();

    ProgramParameters &m_parameters;
    data::UserInterface *m_ui;
    std::unique_ptr<data::UserInterface> m_ownUi;
    QLineEdit *m_edDialerOutsideLineAccess;
    QLineEdit *m_edDocumentsRootDirectory;
    QPushButton *m_bBrowseDocumentsRoot;
    QButtonGroup *m_rgrEMailMethod;
    QRadioButton *m_rbMapi;
    QRadioButton *m_rbDirect;
    QLineEdit *m_edSMTPServerHost;
    QComboBox *m_cbDefaultMailMsgType;
};
