#include "TdlgValikuList.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "DataSetModel.h"
#include "TfQuickSearch.h"
#include "data/Translate.h"
#include "data/DataSet.h"
#include "data/FilterBuilder.h"

TdlgValikuList::TdlgValikuList(QWidget *owner, QString *resultText, data::Field *targetField, const QString &keyField,
                               data::DataSet *dataSet, const QString &caption)
    : QDialog(owner), m_resultText(resultText), m_target(targetField), m_keyField(keyField), m_dataSet(dataSet),
      m_grid(new QTableView(this)), m_model(new DataSetModel(dataSet, this)), m_filterOff(new QCheckBox(this))
{
    setObjectName(QStringLiteral("dlgValikuList"));
    setWindowTitle(caption);
    m_grid->setObjectName(QStringLiteral("DBGrid1"));
    m_grid->setToolTip(Translate(QStringLiteral("Ctrl+S - sorteeri")));
    m_grid->setModel(m_model);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->verticalHeader()->hide();
    m_filterOff->setObjectName(QStringLiteral("cbFilterOff"));
    m_filterOff->hide();
    auto *buttons = new QDialogButtonBox(this);
    QPushButton *ok = buttons->addButton(Translate(QStringLiteral("&OK")), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("OKBtn"));
    ok->setDefault(true);
    buttons->addButton(Translate(QStringLiteral("&Cancel")), QDialogButtonBox::RejectRole)->setObjectName(QStringLiteral("CancelBtn"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_grid);
    layout->addWidget(m_filterOff);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &TdlgValikuList::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_grid, &QTableView::doubleClicked, this, &TdlgValikuList::accept);
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this](const QModelIndex &cur) {
        if (cur.isValid() && cur.row() != m_dataSet->currentRow())
            m_dataSet->moveTo(cur.row());
    });
    connect(m_filterOff, &QCheckBox::clicked, this, [this] { applyConditions(); });
    m_grid->installEventFilter(this);
    resize(520, 420);
}

TdlgValikuList::~TdlgValikuList() = default;

QString TdlgValikuList::currentKeyText() const
{
    if (!m_dataSet->isActive() || m_dataSet->isEmpty())
        return QString();
    return m_dataSet->field(m_keyField).asString();
}

void TdlgValikuList::syncGrid()
{
    const int row = m_dataSet->currentRow();
    if (row >= 0 && m_model->columnCount() > 0)
        m_grid->setCurrentIndex(m_model->index(row, 0));
}

void TdlgValikuList::moveToKey(const QString &keyText)
{
    if (!keyText.isEmpty() && keyText != currentKeyText())
        m_dataSet->locate(m_keyField, keyText);
    syncGrid();
}

void TdlgValikuList::applyConditions()
{
    const QString noted = currentKeyText();
    QString condition = m_base;
    if (!m_filterOff->isChecked() && !m_extra.isEmpty())
        condition += (m_base.isEmpty() ? QString() : QStringLiteral(" AND ")) + m_extra;
    data::ApplyWhere(*m_dataSet, condition);
    if (currentKeyText() != noted)
        moveToKey(noted);
    syncGrid();
}

void TdlgValikuList::sortBySelectedColumn()
{
    const int field = m_model->fieldIndex(m_grid->currentIndex().column());
    if (field < 0)
        return;
    const QString order = data::SortTextFor(m_dataSet->fieldAt(field));
    if (order.isEmpty())
        return;
    // The conditions in force stay; the person stays on the row he was on.
    const QString noted = currentKeyText();
    const int column = m_grid->currentIndex().column();
    if (data::ApplyOrder(*m_dataSet, order))
        moveToKey(noted);
    if (m_dataSet->currentRow() >= 0)
        m_grid->setCurrentIndex(m_model->index(m_dataSet->currentRow(), column));
}

bool TdlgValikuList::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_grid && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_S && (key->modifiers() & Qt::ControlModifier) &&
            !(key->modifiers() & (Qt::AltModifier | Qt::ShiftModifier))) {
            sortBySelectedColumn();
            return true;
        }
        if (TfQuickSearch::opensSearch(key) && TfQuickSearch::open(m_grid, key->text()))
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TdlgValikuList::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_prepared)
        return;
    m_prepared = true;
    if (!m_dataSet->isActive())
        m_dataSet->open();
    m_filterOff->setVisible(m_filterMode);
    if (!m_filterOffCaption.isEmpty())
        m_filterOff->setText(m_filterOffCaption);
    if (m_filterMode)
        applyConditions();
    if (m_target)
        moveToKey(m_target->text(false));
    else if (m_resultText)
        moveToKey(*m_resultText);
    syncGrid();
}

void TdlgValikuList::accept()
{
    const QString key = currentKeyText();
    if (key.isEmpty())
        return; // a row without a key cannot be taken
    if (m_target) {
        data::DataSet &ds = m_target->dataSet();
        if (!ds.isEditing())
            ds.edit();
        m_target->setText(key);
    }
    if (m_resultText)
        *m_resultText = key;
    QDialog::accept();
}

void TdlgValikuList::done(int result)
{
    // Only the base condition stays on the dataset.
    if (m_filterMode) {
        m_filterOff->setChecked(true);
        applyConditions();
    }
    QDialog::done(result);
}
