#include "TdlgDBSetup.h"

#include <iterator>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "data/Translate.h"
#include "data/UserInterface.h"
#include "ui/QtUserInterface.h"

namespace {

// The order of the protocol list.
constexpr DatabaseName::Protocol kProtocols[] = {DatabaseName::Protocol::Tcp, DatabaseName::Protocol::NetBeui,
                                                 DatabaseName::Protocol::Spx};

QLabel *buddyLabel(const QString &text, QWidget *buddy)
{
    auto *label = new QLabel(text);
    label->setBuddy(buddy);
    return label;
}

} // namespace

TdlgDBSetup::TdlgDBSetup(const DatabaseSettings &settings, data::UserInterface *ui, QWidget *parent)
    : QDialog(parent)
    , m_edServerName(new QLineEdit)
    , m_edDatabaseName(new QLineEdit)
    , m_bBrowse(new QPushButton(QStringLiteral("...")))
    , m_cbProtocol(new QComboBox)
    , m_cbAdvanced(new QCheckBox(Translate(QStringLiteral("Advanced settings"))))
    , m_pnAdvanced(new QFrame)
    , m_edTCPPort(new QLineEdit)
    , m_edCharSet(new QLineEdit)
    , m_role(settings.sqlRoleName())
    , m_ui(ui)
{
    if (!m_ui) {
        m_ownUi = std::make_unique<QtUserInterface>(this);
        m_ui = m_ownUi.get();
    }
    setObjectName(QStringLiteral("dlgDBSetup"));
    setWindowTitle(Translate(QStringLiteral("Andmebaasi seadistused")));
    setModal(true);

    m_edServerName->setObjectName(QStringLiteral("edServerName"));
    m_edDatabaseName->setObjectName(QStringLiteral("edDatabaseName"));
    m_edDatabaseName->setMinimumWidth(260);
    m_bBrowse->setObjectName(QStringLiteral("bBrowse"));
    m_bBrowse->setAutoDefault(false);
    m_bBrowse->setFixedWidth(m_bBrowse->fontMetrics().horizontalAdvance(QStringLiteral("...")) + 16);
    m_cbProtocol->setObjectName(QStringLiteral("cbProtocol"));
    m_cbProtocol->addItems(
        {Translate(QStringLiteral("TCP")), Translate(QStringLiteral("NetBEUI")), Translate(QStringLiteral("SPX"))});
    m_cbAdvanced->setObjectName(QStringLiteral("cbAdvanced"));
    m_pnAdvanced->setObjectName(QStringLiteral("pnAdvanced"));
    m_pnAdvanced->setFrameShape(QFrame::StyledPanel);
    m_edTCPPort->setObjectName(QStringLiteral("edTCPPort"));
    m_edCharSet->setObjectName(QStringLiteral("edCharSet"));

    auto *bOk = new QPushButton(Translate(QStringLiteral("&Ok")));
    bOk->setObjectName(QStringLiteral("bOk"));
    bOk->setDefault(true);
    auto *bCancel = new QPushButton(Translate(QStringLiteral("&Cancel")));
    bCancel->setObjectName(QStringLiteral("bCancel"));
    bCancel->setAutoDefault(false);

    auto *basic = new QWidget;
    auto *grid = new QGridLayout(basic);
    // The advanced panel sits right under the basic part, so that showing it adds its own height and
    // nothing more.
    grid->setContentsMargins(0, 0, 0, grid->spacing() > 0 ? grid->spacing() : 6);
    grid->addWidget(buddyLabel(Translate(QStringLiteral("Server:")), m_edServerName), 0, 0);
    grid->addWidget(m_edServerName, 0, 1, 1, 2);
    grid->addWidget(buddyLabel(Translate(QStringLiteral("Database:")), m_edDatabaseName), 1, 0);
    grid->addWidget(m_edDatabaseName, 1, 1);
    grid->addWidget(m_bBrowse, 1, 2);
    grid->addWidget(buddyLabel(Translate(QStringLiteral("Protocol:")), m_cbProtocol), 2, 0);
    grid->addWidget(m_cbProtocol, 2, 1, 1, 2);
    grid->addWidget(m_cbAdvanced, 3, 1, 1, 2);
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(bOk);
    buttons->addWidget(bCancel);
    buttons->addStretch();
    grid->addLayout(buttons, 0, 3, 4, 1);
    grid->setColumnStretch(1, 1);

    auto *advanced = new QFormLayout(m_pnAdvanced);
    advanced->addRow(buddyLabel(Translate(QStringLiteral("TCP Port:")), m_edTCPPort), m_edTCPPort);
    advanced->addRow(buddyLabel(Translate(QStringLiteral("Character Set:")), m_edCharSet), m_edCharSet);
    m_pnAdvanced->setVisible(false);

    auto *outer = new QVBoxLayout(this);
    outer->setSpacing(0);
    outer->addWidget(basic);
    outer->addWidget(m_pnAdvanced);
    outer->addStretch();

    const DatabaseName::Parts parts = DatabaseName::split(settings.databaseName());
    // The whole name stays in the database field, for the person to mend.
    if (!parts.ok)
        m_ui->showMessage(Translate(QStringLiteral("Vigane andmebaasi nimi")) + QStringLiteral(": ") +
                              settings.databaseName(),
                          windowTitle());
    m_edServerName->setText(parts.server);
    m_edDatabaseName->setText(parts.path);
    m_cbProtocol->setCurrentIndex(indexOf(parts.protocol));
    m_edTCPPort->setText(parts.port);
    m_edCharSet->setText(settings.lcCtype());

    connect(bOk, &QPushButton::clicked, this, &TdlgDBSetup::bOkClick);
    connect(bCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_bBrowse, &QPushButton::clicked, this, &TdlgDBSetup::bBrowseClick);
    connect(m_cbAdvanced, &QCheckBox::toggled, this, &TdlgDBSetup::cbAdvancedClick);

    // A size of its own from the start, so that the panel's height is added to the real height even
    // when the panel is opened before the dialog is shown.
    adjustSize();
}

TdlgDBSetup::~TdlgDBSetup() = default;

DatabaseName::Protocol TdlgDBSetup::protocolAt(int index)
{
    if (index < 0 || index >= int(std::size(kProtocols)))
        return DatabaseName::Protocol::None;
    return kProtocols[index];
}

int TdlgDBSetup::indexOf(DatabaseName::Protocol protocol)
{
    for (int i = 0; i < int(std::size(kProtocols)); ++i)
        if (kProtocols[i] == protocol)
            return i;
    return -1;
}

QString TdlgDBSetup::databaseName() const
{
    // Blanks around a host, a port or a path are never part of them and would only break the name.
    return DatabaseName::compose(m_edServerName->text().trimmed(), protocolAt(m_cbProtocol->currentIndex()),
                                 m_edTCPPort->text().trimmed(), m_edDatabaseName->text().trimmed());
}

QString TdlgDBSetup::characterSet() const
{
    return m_edCharSet->text().trimmed();
}

void TdlgDBSetup::bOkClick()
{
    if (m_edDatabaseName->text().trimmed().isEmpty()) {
        m_ui->showMessage(Translate(QStringLiteral("Viga")) + QStringLiteral(": ") +
                              Translate(QStringLiteral("Andmed väärtustamata !")),
                          windowTitle());
        m_edDatabaseName->setFocus();
        return;
    }
    accept();
}

void TdlgDBSetup::cbAdvancedClick(bool checked)
{
    if (m_pnAdvanced->isVisibleTo(this) == checked)
        return;
    const int panelHeight = m_pnAdvanced->sizeHint().height();
    // Taken before the layout reacts: showing the panel raises the minimum height, and the layout
    // would already have stretched the dialog by the time the panel's height is added.
    const int before = height();
    m_pnAdvanced->setVisible(checked);
    layout()->activate();
    resize(width(), checked ? before + panelHeight : before - panelHeight);
}

void TdlgDBSetup::bBrowseClick()
{
    QFileDialog dialog(this, Translate(QStringLiteral("Select Database")));
    dialog.setObjectName(QStringLiteral("dlgSelectDatabase"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters({Translate(QStringLiteral("*.gdb; *.fdb")) + QStringLiteral(" (*.gdb *.fdb)"),
                           Translate(QStringLiteral("*.*")) + QStringLiteral(" (*)")});
    const QString current = m_edDatabaseName->text().trimmed();
    if (!current.isEmpty()) {
        const QFileInfo file(current);
        if (file.absoluteDir().exists()) {
            dialog.setDirectory(file.absolutePath());
            dialog.selectFile(file.fileName());
        } else {
            dialog.selectFile(current);
        }
    }
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QStringList chosen = dialog.selectedFiles();
    if (!chosen.isEmpty())
        m_edDatabaseName->setText(QDir::toNativeSeparators(chosen.first()));
}

bool RunDatabaseSetup(DatabaseSettings &settings, QWidget *parent, data::UserInterface *ui)
{
    TdlgDBSetup dialog(settings, ui, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    settings.setDatabaseName(dialog.databaseName());
    settings.setLcCtype(dialog.characterSet());
    settings.setSqlRoleName(dialog.role());
    return true;
}
