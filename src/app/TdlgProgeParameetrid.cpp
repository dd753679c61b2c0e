#include "TdlgProgeParameetrid.h"

#include <algorithm>

#include <QButtonGroup>
#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "data/ProgramParameters.h"
#include "data/Translate.h"
#include "data/TData1.h"
#include "data/UserInterface.h"

namespace {

QString param(const char *name)
{
    return QString::fromLatin1(name);
}

QLabel *buddyLabel(const QString &text, QWidget *buddy)
{
    auto *label = new QLabel(text);
    label->setBuddy(buddy);
    return label;
}

} // namespace

TdlgProgeParameetrid::TdlgProgeParameetrid(ProgramParameters &parameters, data::UserInterface *ui, QWidget *parent)
    : FilledDialog(ui, parent)
    , m_parameters(parameters)
    , m_edDialerOutsideLineAccess(new QLineEdit)
    , m_edDocumentsRootDirectory(new QLineEdit)
    , m_bBrowseDocumentsRoot(new QPushButton(QStringLiteral("...")))
    , m_rgrEMailMethod(new QButtonGroup(this))
    , m_rbMapi(new QRadioButton(Translate(QStringLiteral("MAPI"))))
    , m_rbDirect(new QRadioButton(Translate(QStringLiteral("Otse"))))
    , m_edSMTPServerHost(new QLineEdit)
    , m_cbDefaultMailMsgType(new QComboBox)
{
    setObjectName(QStringLiteral("dlgProgeParameetrid"));
    setWindowTitle(Translate(QStringLiteral("Programmi parameetrid")));
    // Minimising the dialog takes the whole program down with it (changeEvent), as the user expects
    // of the program's one active window.
    setWindowFlags(windowFlags() | Qt::WindowMinimizeButtonHint);

    m_edDialerOutsideLineAccess->setObjectName(QStringLiteral("edDialerOutsideLineAccess"));
    m_edDocumentsRootDirectory->setObjectName(QStringLiteral("edDocumentsRootDirectory"));
    m_edDocumentsRootDirectory->setToolTip(Translate(QStringLiteral("Dokumendifailide juurkataloog")));
    m_edDocumentsRootDirectory->setMinimumWidth(280);
    m_bBrowseDocumentsRoot->setObjectName(QStringLiteral("bBrowseDocumentsRoot"));
    m_bBrowseDocumentsRoot->setAutoDefault(false);
    m_bBrowseDocumentsRoot->setFixedWidth(
        m_bBrowseDocumentsRoot->fontMetrics().horizontalAdvance(QStringLiteral("...")) + 16);
    m_rbMapi->setObjectName(QStringLiteral("rbMAPI"));
    m_rbDirect->setObjectName(QStringLiteral("rbOtse"));
    m_rgrEMailMethod->setObjectName(QStringLiteral("rgrEMailMethod"));
    m_rgrEMailMethod->addButton(m_rbMapi, 0);
    m_rgrEMailMethod->addButton(m_rbDirect, 1);
    m_edSMTPServerHost->setObjectName(QStringLiteral("edSMTPServerHost"));
    m_cbDefaultMailMsgType->setObjectName(QStringLiteral("cbDefaultMailMsgType"));
    m_cbDefaultMailMsgType->setEditable(true);
    m_cbDefaultMailMsgType->addItems({QString(), QStringLiteral("SMTP"), QStringLiteral("FAX")});

    auto *bOK = new QPushButton(Translate(QStringLiteral("&OK")));
    bOK->setObjectName(QStringLiteral("bOK"));
    bOK->setDefault(true);
    auto *bCancel = new QPushButton(Translate(QStringLiteral("&Cancel")));
    bCancel->setObjectName(QStringLiteral("bCancel"));
    bCancel->setAutoDefault(false);

    auto *general = new QGridLayout;
    general->addWidget(buddyLabel(Translate(QStringLiteral("Telefoni numbrivalija välisliini avamiskood:")),
                                  m_edDialerOutsideLineAccess),
                       0, 0);
    general->addWidget(m_edDialerOutsideLineAccess, 0, 1, 1, 2);
    general->addWidget(
        buddyLabel(Translate(QStringLiteral("Dokumendifailide juurkataloog:")), m_edDocumentsRootDirectory), 1, 0);
    general->addWidget(m_edDocumentsRootDirectory, 1, 1);
    general->addWidget(m_bBrowseDocumentsRoot, 1, 2);
    general->setColumnStretch(1, 1);

    auto *method = new QGroupBox(Translate(QStringLiteral("E-maili saatmise meetod (masspakkumised)")));
    method->setObjectName(QStringLiteral("gbEMailMethod"));
    auto *methodLayout = new QHBoxLayout(method);
    methodLayout->addWidget(m_rbMapi);
    methodLayout->addWidget(m_rbDirect);
    methodLayout->addStretch();

    auto *direct = new QGroupBox(Translate(QStringLiteral("Otse-E-maili seadistused")));
    direct->setObjectName(QStringLiteral("gbDirectEMail"));
    auto *directLayout = new QGridLayout(direct);
    directLayout->addWidget(buddyLabel(Translate(QStringLiteral("SMTP-serveri aadress:")), m_edSMTPServerHost), 0, 0);
    directLayout->addWidget(m_edSMTPServerHost, 0, 1);
    directLayout->setColumnStretch(1, 1);

    auto *mapi = new QGroupBox(Translate(QStringLiteral("MAPI E-maili seadistused")));
    mapi->setObjectName(QStringLiteral("gbMAPIEMail"));
    auto *mapiLayout = new QGridLayout(mapi);
    mapiLayout->addWidget(
        buddyLabel(Translate(QStringLiteral("E-maili sõnumi aadressi tüüp (MAPI):")), m_cbDefaultMailMsgType), 0, 0);
    mapiLayout->addWidget(m_cbDefaultMailMsgType, 0, 1);
    mapiLayout->setColumnStretch(1, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(bOK);
    buttons->addWidget(bCancel);

    auto *outer = new QVBoxLayout(this);
    outer->addLayout(general);
    outer->addWidget(method);
    outer->addWidget(direct);
    outer->addWidget(mapi);
    outer->addStretch();
    outer->addLayout(buttons);

    connect(bOK, &QPushButton::clicked, this, &TdlgProgeParameetrid::bOKClick);
    connect(bCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_bBrowseDocumentsRoot, &QPushButton::clicked, this, &TdlgProgeParameetrid::bBrowseDocumentsRootClick);
}

TdlgProgeParameetrid::~TdlgProgeParameetrid() = default;

bool TdlgProgeParameetrid::Run(ProgramParameters &parameters, data::UserInterface *ui, QWidget *parent)
{
    TdlgProgeParameetrid dialog(parameters, ui, parent);
    return dialog.exec() == QDialog::Accepted;
}

void TdlgProgeParameetrid::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange || !(windowState() & Qt::WindowMinimized))
        return;
    if (QWidget *main = parentWidget() ? parentWidget()->window() : nullptr)
        main->showMinimized();
}

void TdlgProgeParameetrid::fill()
{
    data::WaitCursor wait(ui());
    m_edDialerOutsideLineAccess->setText(m_parameters.GetParameter(param(ProgramParameters::DialerOutsideLineAccess)));
    m_edDocumentsRootDirectory->setText(m_parameters.GetParameter(param(ProgramParameters::DocumentsRootDirectory)));
    m_edSMTPServerHost->setText(m_parameters.GetParameter(param(ProgramParameters::SMTPServerHost)));
    m_cbDefaultMailMsgType->setCurrentText(m_parameters.GetParameter(param(ProgramParameters::DefaultMailMsgType)));
    bool ok = false;
    int method = m_parameters.GetParameter(param(ProgramParameters::EMailMethodIndex)).trimmed().toInt(&ok);
    if (!ok)
        method = 0;
    // Out of range is taken as the nearest method there is; a negative index chooses none.
    method = std::min(method, int(m_rgrEMailMethod->buttons().size()) - 1);
    if (QAbstractButton *b = m_rgrEMailMethod->button(method)) {
        b->setChecked(true);
    } else {
        m_rgrEMailMethod->setExclusive(false);
        for (QAbstractButton *other : m_rgrEMailMethod->buttons())
            other->setChecked(false);
        m_rgrEMailMethod->setExclusive(true);
    }
}

void TdlgProgeParameetrid::bOKClick()
{
    {
        data::WaitCursor wait(ui());
        m_parameters.SetParameter(param(ProgramParameters::DialerOutsideLineAccess),
                                  m_edDialerOutsideLineAccess->text());
        m_parameters.SetParameter(param(ProgramParameters::DocumentsRootDirectory),
                                  m_edDocumentsRootDirectory->text().trimmed());
        m_parameters.SetParameter(param(ProgramParameters::DefaultMailMsgType),
                                  m_cbDefaultMailMsgType->currentText().trimmed());
        m_parameters.SetParameter(param(ProgramParameters::SMTPServerHost), m_edSMTPServerHost->text().trimmed());
        m_parameters.SetParameter(param(ProgramParameters::EMailMethodIndex),
                                  QString::number(m_rgrEMailMethod->checkedId()));
    }
    accept();
}

void TdlgProgeParameetrid::bBrowseDocumentsRootClick()
{
    QFileDialog dialog(this, Translate(QStringLiteral("Dokumendifailide juurkataloog")),
                       m_edDocumentsRootDirectory->text().trimmed());
    dialog.setObjectName(QStringLiteral("dlgDocumentsRoot"));
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QStringList chosen = dialog.selectedFiles();
    if (!chosen.isEmpty())
        m_edDocumentsRootDirectory->setText(data::TData1::ToNetworkPath(chosen.first()));
}
