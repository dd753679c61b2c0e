#include "TdlgPlaneeringuValik1.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "TDBGrid.h"
#include "data/DataSet.h"
#include "data/DataSource.h"
#include "data/Translate.h"

TdlgPlaneeringuValik1::TdlgPlaneeringuValik1(const QString &caption, const QString &text, data::DataSet &rows,
                                             QWidget *parent)
    : QDialog(parent), m_source(new data::DataSource(&rows, this))
{
    setObjectName(QStringLiteral("dlgPlaneeringuValik1"));
    setWindowTitle(caption);
    auto *layout = new QVBoxLayout(this);
    m_text = new QLabel(text, this);
    m_text->setObjectName(QStringLiteral("lText"));
    layout->addWidget(m_text);
    m_grid = new TDBGrid(this);
    m_grid->setObjectName(QStringLiteral("DBGrid1"));
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setDataSource(m_source);
    m_grid->sizeColumns();
    layout->addWidget(m_grid, 1);
    auto *buttons = new QDialogButtonBox(this);
    QPushButton *yes = buttons->addButton(Translate(QStringLiteral("&Yes")), QDialogButtonBox::YesRole);
    yes->setObjectName(QStringLiteral("bYes"));
    QPushButton *no = buttons->addButton(Translate(QStringLiteral("&No")), QDialogButtonBox::NoRole);
    no->setObjectName(QStringLiteral("bNo"));
    QPushButton *cancel = buttons->addButton(Translate(QStringLiteral("&Cancel")), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("bCancel"));
    yes->setDefault(true);
    layout->addWidget(buttons);
    connect(yes, &QPushButton::clicked, this, [this] { finish(data::UserInterface::Answer::Yes); });
    connect(no, &QPushButton::clicked, this, [this] { finish(data::UserInterface::Answer::No); });
    connect(cancel, &QPushButton::clicked, this, [this] { finish(data::UserInterface::Answer::Cancel); });
    connect(m_grid, &QAbstractItemView::doubleClicked, this, [this] { finish(data::UserInterface::Answer::Yes); });
    resize(720, 300);
}

TdlgPlaneeringuValik1::~TdlgPlaneeringuValik1() = default;

void TdlgPlaneeringuValik1::finish(data::UserInterface::Answer answer)
{
    // Yes needs a row to take.
    if (answer == data::UserInterface::Answer::Yes && m_source->dataSet()->isEmpty())
        return;
    m_answer = answer;
    if (answer == data::UserInterface::Answer::Cancel)
        reject();
    else
        accept();
}

data::UserInterface::Answer TdlgPlaneeringuValik1::choose()
{
    m_answer = data::UserInterface::Answer::Cancel;
    exec();
    return m_answer;
}
