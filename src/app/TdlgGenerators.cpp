#include "TdlgGenerators.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include "data/Generators.h"
#include "data/Translate.h"
#include "data/DataError.h"
#include "data/UserInterface.h"

TdlgGenerators::TdlgGenerators(Generators &generators, data::UserInterface *ui, QWidget *parent)
    : FilledDialog(ui, parent)
    , m_generators(generators)
    , m_grid(new QTableWidget(0, 2))
{
    setObjectName(QStringLiteral("dlgGenerators"));
    setWindowTitle(Translate(QStringLiteral("Automaatne koodide genereerimine")));

    m_grid->setObjectName(QStringLiteral("sgGenerators"));
    m_grid->setHorizontalHeaderLabels({Translate(QStringLiteral("Loendur")), Translate(QStringLiteral("Väärtus"))});
    m_grid->verticalHeader()->hide();
    m_grid->setColumnWidth(0, 240);
    m_grid->setColumnWidth(1, 70);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    const int frame = 2 * m_grid->frameWidth();
    m_grid->setMinimumWidth(240 + 70 + frame + m_grid->verticalScrollBar()->sizeHint().width());

    auto *bOK = new QPushButton(Translate(QStringLiteral("&OK")));
    bOK->setObjectName(QStringLiteral("bOK"));
    bOK->setDefault(true);
    auto *bCancel = new QPushButton(Translate(QStringLiteral("&Cancel")));
    bCancel->setObjectName(QStringLiteral("bCancel"));
    bCancel->setAutoDefault(false);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(bOK);
    buttons->addWidget(bCancel);
    auto *outer = new QVBoxLayout(this);
    outer->addWidget(m_grid);
    outer->addLayout(buttons);
    resize(minimumSizeHint().width(), 360);

    connect(bOK, &QPushButton::clicked, this, &TdlgGenerators::bOKClick);
    connect(bCancel, &QPushButton::clicked, this, &QDialog::reject);
}

TdlgGenerators::~TdlgGenerators() = default;

bool TdlgGenerators::Run(Generators &generators, data::UserInterface *ui, QWidget *parent)
{
    TdlgGenerators dialog(generators, ui, parent);
    return dialog.exec() == QDialog::Accepted;
}

void TdlgGenerators::fill()
{
    data::WaitCursor wait(ui());
    const QStringList names = m_generators.names();
    QList<qint64> values;
    for (const QString &name : names)
        values << m_generators.value(name);
    m_names = names;
    m_values = values;

    m_grid->setRowCount(int(m_names.size()));
    for (int row = 0; row < m_names.size(); ++row) {
        const QString value = QString::number(m_values.at(row));
        auto *nameItem = new QTableWidgetItem(m_names.at(row) + QStringLiteral(" (") + value + QLatin1Char(')'));
        nameItem->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        m_grid->setItem(row, 0, nameItem);
        m_grid->setItem(row, 1, new QTableWidgetItem(value));
    }
    if (!m_names.isEmpty())
        m_grid->setCurrentCell(0, 1);
}

void TdlgGenerators::bOKClick()
{
    // A cell still being edited (OK pressed with its accelerator) hands its text over when the grid
    // moves off it.
    const QModelIndex current = m_grid->currentIndex();
    m_grid->setCurrentIndex(QModelIndex());
    m_grid->setCurrentIndex(current);

    QList<qint64> typed;
    for (int row = 0; row < m_names.size(); ++row) {
        const QTableWidgetItem *item = m_grid->item(row, 1);
        const QString text = item ? item->text() : QString();
        bool ok = false;
        const qint64 value = text.trimmed().toLongLong(&ok);
        if (!ok)
            throw data::DataError(QStringLiteral("'%1' is not a valid integer value").arg(text));
        typed << value;
    }
    {
        data::WaitCursor wait(ui());
        for (int row = 0; row < m_names.size(); ++row)
            if (typed.at(row) != m_values.at(row))
                m_generators.setValue(m_names.at(row), typed.at(row));
    }
    accept();
}
