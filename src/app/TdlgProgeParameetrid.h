#pragma once

#include "ui/FilledDialog.h"

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
class TdlgProgeParameetrid : public FilledDialog
{
    Q_OBJECT

public:
    // Without a user interface the dialog uses the program's message boxes.
    TdlgProgeParameetrid(ProgramParameters &parameters, data::UserInterface *ui, QWidget *parent = nullptr);
    ~TdlgProgeParameetrid() override;

    // Shows the dialog modally; true when OK stored the values.
    static bool Run(ProgramParameters &parameters, data::UserInterface *ui, QWidget *parent = nullptr);

public slots:
    void bOKClick();
    void bBrowseDocumentsRootClick();

protected:
    void changeEvent(QEvent *event) override;
    void fill() override;

private:
    ProgramParameters &m_parameters;
    QLineEdit *m_edDialerOutsideLineAccess;
    QLineEdit *m_edDocumentsRootDirectory;
    QPushButton *m_bBrowseDocumentsRoot;
    QButtonGroup *m_rgrEMailMethod;
    QRadioButton *m_rbMapi;
    QRadioButton *m_rbDirect;
    QLineEdit *m_edSMTPServerHost;
    QComboBox *m_cbDefaultMailMsgType;
};
