#include "TDBGrid.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QToolButton>

#include "DataSetModel.h"
#include "data/DataSet.h"
#include "data/DataSource.h"
#include "data/Field.h"
#include "fb/Statement.h"

TDBGrid::TDBGrid(QWidget *parent) : QTableView(parent)
{
    setObjectName(QStringLiteral("DBGrid1"));
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->hide();
    m_cellButton = new QToolButton(viewport());
    m_cellButton->setObjectName(QStringLiteral("CellButton"));
    m_cellButton->setText(QStringLiteral("..."));
    m_cellButton->setFocusPolicy(Qt::NoFocus);
    m_cellButton->hide();
    connect(m_cellButton, &QToolButton::clicked, this, &TDBGrid::clickCellButton);
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, &TDBGrid::placeCellButton);
    connect(horizontalHeader(), &QHeaderView::sectionMoved, this, &TDBGrid::placeCellButton);
}

void TDBGrid::setButtonFields(const QStringList &fieldNames)
{
    m_buttonFields.clear();
    for (const QString &name : fieldNames)
        m_buttonFields.insert(name.toUpper());
    placeCellButton();
}

bool TDBGrid::hasButton(const QString &fieldName) const
{
    return m_buttonFields.contains(fieldName.toUpper());
}

void TDBGrid::setFieldBackground(const QString &fieldName, const QBrush &brush)
{
    m_backgrounds.insert(fieldName, brush);
    if (m_model)
        m_model->setFieldBackground(fieldName, brush);
}

void TDBGrid::placeCellButton()
{
    const QModelIndex cur = currentIndex();
    const data::Field *f = selectedField();
    if (!f || !cur.isValid() || !hasButton(f->fieldName()) || isColumnHidden(cur.column())) {
        m_cellButton->hide();
        return;
    }
    const QRect cell = visualRect(cur);
    if (!cell.isValid() || !viewport()->rect().intersects(cell)) {
        m_cellButton->hide();
        return;
    }
    const int width =
        std::min(cell.width(), std::max(cell.height(), fontMetrics().horizontalAdvance(QStringLiteral("...")) + 8));
    m_cellButton->setGeometry(cell.right() - width + 1, cell.top(), width, cell.height());
    m_cellButton->show();
    m_cellButton->raise();
}

void TDBGrid::clickCellButton()
{
    if (const data::Field *f = selectedField(); f && hasButton(f->fieldName()))
        emit cellButtonClicked(f->fieldName());
}

void TDBGrid::updateGeometries()
{
    QTableView::updateGeometries();
    placeCellButton();
}

void TDBGrid::scrollContentsBy(int dx, int dy)
{
    QTableView::scrollContentsBy(dx, dy);
    placeCellButton();
}

void TDBGrid::setDataSource(data::DataSource *source)
{
    m_source = source;
    delete m_model;
    m_model = nullptr;
    if (!source || !source->dataSet())
        return;
    m_model = new DataSetModel(source->dataSet(), this);
    for (auto it = m_backgrounds.cbegin(); it != m_backgrounds.cend(); ++it)
        m_model->setFieldBackground(it.key(), it.value());
    setModel(m_model);
    connect(source, &data::DataSource::currentChanged, this, &TDBGrid::followDataSet);
    connect(m_model, &QAbstractItemModel::modelReset, this, &TDBGrid::followDataSet);
    connect(m_model, &QAbstractItemModel::modelReset, this, &TDBGrid::sizeColumns);
    connect(m_model, &QAbstractItemModel::modelReset, this, &TDBGrid::placeCellButton);
    sizeColumns();
    followDataSet();
}

void TDBGrid::sizeColumns()
{
    // Columns as wide as their fields' display widths (or their text columns' sizes, within
    // reason), never narrower than their titles.
    data::DataSet *ds = dataSet();
    if (!ds || !m_model)
        return;
    const int charWidth = fontMetrics().averageCharWidth();
    const int digitWidth = fontMetrics().horizontalAdvance(QLatin1Char('0'));
    for (int c = 0; c < m_model->columnCount(); ++c) {
        const data::Field &f = ds->fieldAt(m_model->fieldIndex(c));
        int chars = f.displayWidth();
        if (chars <= 0) {
            switch (f.dataType()) {
            case fb::FieldKind::Date: chars = 10; break;
            case fb::FieldKind::Time: chars = 5; break;
            case fb::FieldKind::Timestamp: chars = 16; break;
            case fb::FieldKind::Text: chars = std::clamp(f.size(), 3, 30); break;
            case fb::FieldKind::TextBlob: chars = 30; break;
            default: chars = 8; break;
            }
        }
        const bool digits = f.dataType() != fb::FieldKind::Text && f.dataType() != fb::FieldKind::TextBlob;
        const int title = fontMetrics().horizontalAdvance(f.displayLabel()) + 12;
        setColumnWidth(c, std::max(title, chars * (digits ? digitWidth : charWidth) + 12));
    }
}

data::DataSet *TDBGrid::dataSet() const
{
    return m_source ? m_source->dataSet() : nullptr;
}

data::Field *TDBGrid::selectedField() const
{
    data::DataSet *ds = dataSet();
    const QModelIndex cur = currentIndex();
    if (!ds || !m_model || !cur.isValid())
        return nullptr;
    const int f = m_model->fieldIndex(cur.column());
    return f >= 0 ? &ds->fieldAt(f) : nullptr;
}

void TDBGrid::followDataSet()
{
    data::DataSet *ds = dataSet();
    if (!ds || !m_model || m_following)
        return;
    m_following = true;
    const int row = ds->currentRow();
    if (row >= 0 && row < m_model->rowCount() && m_model->columnCount() > 0) {
        const int column = currentIndex().isValid() ? currentIndex().column() : 0;
        setCurrentIndex(m_model->index(row, std::min(column, m_model->columnCount() - 1)));
    }
    m_following = false;
}

void TDBGrid::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QTableView::currentChanged(current, previous);
    placeCellButton();
    data::DataSet *ds = dataSet();
    if (m_following || !ds || !current.isValid() || current.row() == ds->currentRow())
        return;
    m_following = true;
    try {
        ds->moveTo(current.row());
    } catch (const std::exception &e) {
        // The move was refused (a change that could not be saved): back on the row that stays, and
        // the reason goes to whoever reports errors; nothing is thrown through the view.
        m_following = false;
        followDataSet();
        if (onError)
            onError(e);
        return;
    }
    m_following = false;
}

void TDBGrid::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_S && (event->modifiers() & Qt::ControlModifier)) {
        emit sortRequested();
        event->accept();
        return;
    }
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        (event->modifiers() & Qt::ControlModifier) && state() != QAbstractItemView::EditingState) {
        if (const data::Field *f = selectedField(); f && hasButton(f->fieldName())) {
            clickCellButton();
            event->accept();
            return;
        }
    }
    const QString text = event->text();
    const bool modifiers = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier);
    if (!modifiers && !text.isEmpty() && text.at(0).unicode() >= 32 && text.at(0).isPrint()) {
        if (const data::Field *f = selectedField()) {
            const bool searchable = (f->kind() == data::Field::Kind::Data || f->kind() == data::Field::Kind::Calculated ||
                                     f->kind() == data::Field::Kind::Computed)
                                    && f->dataType() != fb::FieldKind::TextBlob && f->dataType() != fb::FieldKind::Boolean;
            if (searchable) {
                emit quickSearchRequested(text);
                event->accept();
                return;
            }
        }
    }
    QTableView::keyPressEvent(event);
}

void TDBGrid::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::RightButton && !(event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier))) {
        emit popupRequested(event->globalPosition().toPoint());
        event->accept();
        return;
    }
    QTableView::mouseReleaseEvent(event);
}
