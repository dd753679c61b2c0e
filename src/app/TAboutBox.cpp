#include "TAboutBox.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

#include "data/Translate.h"
#include "data/UserInterface.h"

namespace {

QLabel *linkLabel(const QString &href, const QString &text, QWidget *parent)
{
    auto *label = new QLabel(QStringLiteral("<a href=\"%1\">%2</a>").arg(href.toHtmlEscaped(), text.toHtmlEscaped()), parent);
    label->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    return label;
}

} // namespace

TAboutBox::TAboutBox(data::UserInterface *ui, const QString &message, QWidget *parent)
    : QDialog(parent), m_ui(ui), m_message(message)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(Translate(QStringLiteral("Programmist")));
    setModal(true);

    auto *icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("ProgramIcon"));
    const QIcon programIcon = QApplication::windowIcon().isNull() ? style()->standardIcon(QStyle::SP_DesktopIcon)
                                                                  : QApplication::windowIcon();
    icon->setPixmap(programIcon.pixmap(48, 48));
    auto *title = new QLabel(QStringLiteral("<b>%1</b>").arg(QApplication::applicationDisplayName().toHtmlEscaped()), this);
    title->setObjectName(QStringLiteral("ProductName"));
    auto *version = new QLabel(versionLine(QCoreApplication::applicationVersion()), this);
    version->setObjectName(QStringLiteral("Version"));

    auto *contacts = new QFormLayout;
    QLabel *home = linkLabel(QString::fromLatin1(HomePage), QString::fromLatin1(HomePage), this);
    home->setObjectName(QStringLiteral("HomePage"));
    QLabel *sales = linkLabel(mailTo(QString::fromLatin1(SalesAddress)).toString(), QString::fromLatin1(SalesAddress), this);
    sales->setObjectName(QStringLiteral("Sales"));
    QLabel *support = linkLabel(mailTo(QString::fromLatin1(SupportAddress)).toString(), QString::fromLatin1(SupportAddress), this);
    support->setObjectName(QStringLiteral("Support"));
    contacts->addRow(Translate(QStringLiteral("Koduleht:")), home);
    contacts->addRow(Translate(QStringLiteral("Müük:")), sales);
    contacts->addRow(Translate(QStringLiteral("Kasutajatugi:")), support);
    for (QLabel *l : {home, sales, support})
        connect(l, &QLabel::linkActivated, this, [this](const QString &link) { open(QUrl(link)); });

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto *head = new QHBoxLayout;
    head->addWidget(icon, 0, Qt::AlignTop);
    auto *texts = new QVBoxLayout;
    texts->addWidget(title);
    texts->addWidget(version);
    head->addLayout(texts, 1);
    auto *outer = new QVBoxLayout(this);
    outer->addLayout(head);
    outer->addLayout(contacts);
    outer->addWidget(buttons);
}

QString TAboutBox::versionText(int major, int minor, int release, int build)
{
    QString text = QStringLiteral("Version %1.%2").arg(major).arg(minor);
    if (build > 0)
        text += QStringLiteral(".%1.%2").arg(release).arg(build);
    else if (release > 0)
        text += QStringLiteral(".%1").arg(release);
    return text;
}

QString TAboutBox::versionLine(const QString &applicationVersion)
{
    const QStringList parts = applicationVersion.split(QLatin1Char('.'));
    auto part = [&](int i) { return parts.value(i).toInt(); };
    return versionText(part(0), part(1), part(2), part(3)) + QStringLiteral("  (19.01.2004)");
}

QUrl TAboutBox::mailTo(const QString &address)
{
    QString written = address.trimmed();
    written.replace(QLatin1Char(' '), QStringLiteral("%20"));
    return QUrl(QStringLiteral("mailto:") + written, QUrl::TolerantMode);
}

void TAboutBox::open(const QUrl &url)
{
    m_lastOpened = url;
    QDesktopServices::openUrl(url);
}

void TAboutBox::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_message.isEmpty() && m_ui) {
        const QString message = m_message;
        m_message.clear();
        QTimer::singleShot(0, this, [this, message] { m_ui->showMessage(message, windowTitle()); });
    }
}
