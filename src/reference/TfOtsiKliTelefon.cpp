#include "TfOtsiKliTelefon.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "PhoneNumberSearch.h"
#include "data/DataSet.h"
#include "data/DataSource.h"
#include "data/MainServices.h"
#include "data/TData1.h"
#include "data/Translate.h"
#include "data/UserInterface.h"
#include "ui/DataSetModel.h"
#include "ui/TDBGrid.h"

TfOtsiKliTelefon::TfOtsiKliTelefon(const WindowContext &context, QWidget *parent)
    : TfChildBtnBarForm01(context, parent)
    , m_query(std::make_unique<PhoneNumberSearch>(context.data->IBTransaction1()))
    , m_source(new data::DataSource(&m_query->qOtsiKliTelefon(), this))
    , m_number(new QLineEdit(this))
    , m_search(new QPushButton(Translate(QStringLiteral("&Otsi")), this))
    , m_show(new QPushButton(Translate(QStringLiteral("Näita &klienti")), this))
    , m_grid(new TDBGrid(this))
{
    setObjectName(QStringLiteral("fOtsiKliTelefon"));
    setWindowTitle(Translate(QStringLiteral("Telefoninumbri otsing")));

    m_number->setObjectName(QStringLiteral("edOtsiTelefNo"));
    m_number->setMaxLength(PhoneNumberSearch::MaxDigits);
    m_search->setObjectName(QStringLiteral("bOtsi"));
    m_search->setAutoDefault(false);
    m_show->setObjectName(QStringLiteral("bNaitaKlienti"));
    m_show->setAutoDefault(false);
    m_grid->setObjectName(QStringLiteral("DBGrid1"));
    m_grid->setDataSource(m_source);
    m_grid->onError = [this](const std::exception &e) { reportError(e); };

    auto *row = new QHBoxLayout();
    auto *label = new QLabel(Translate(QStringLiteral("Telefoninumber:")), this);
    label->setBuddy(m_number);
    row->addWidget(label);
    row->addWidget(m_number, 1);
    row->addWidget(m_search);
    row->addWidget(m_show);
    mainLayout()->addLayout(row);
    mainLayout()->addWidget(m_grid, 1);

    connect(m_search, &QPushButton::clicked, this, [this] { runCommand([this] { Otsi(); }); });
    connect(m_number, &QLineEdit::returnPressed, this, [this] { runCommand([this] { Otsi(); }); });
    connect(m_show, &QPushButton::clicked, this, [this] { runCommand([this] { NaitaKlienti(); }); });
    connect(m_grid, &QAbstractItemView::doubleClicked, this, [this] { runCommand([this] { NaitaKlienti(); }); });
    addCommand(
        QStringLiteral("Sulge1"), Translate(QStringLiteral("Sulge    Ctrl+F4")), [this] { close(); }, QKeySequence(),
        QStringLiteral("bClose"));
    updateButtons();
    resize(620, 360);
}

TfOtsiKliTelefon::~TfOtsiKliTelefon()
{
    // The grid and the data source let go of the result before the result goes.
    m_grid->setDataSource(nullptr);
    delete m_source;
}

void TfOtsiKliTelefon::Otsi()
{
    data::WaitCursor wait(ui());
    m_query->Search(m_number->text());
    m_grid->sizeColumns();
    updateButtons();
}

void TfOtsiKliTelefon::NaitaKlienti()
{
    data::DataSet &result = m_query->qOtsiKliTelefon();
    if (!result.isActive() || result.isEmpty())
        return;
    if (data::MainServices *main = context().data->mainServices())
        main->OpenClientCard(static_cast<int>(result.field(QStringLiteral("KLIKOOD")).asInt()), 0);
}

void TfOtsiKliTelefon::updateButtons()
{
    const data::DataSet &result = m_query->qOtsiKliTelefon();
    m_show->setEnabled(result.isActive() && !result.isEmpty());
}
