#include "DataSetModel.h"

#include "data/DataError.h"
#include "data/DataSet.h"
#include "fb/FbError.h"

DataSetModel::DataSetModel(data::DataSet *dataSet, QObject *parent) : QAbstractTableModel(parent), m_dataSet(dataSet)
{
    rebuildColumns();
    // Views may ask for more rows while they take a change in; they get them on their next ask.
    connect(m_dataSet, &data::DataSet::aboutToReset, this, [this]() {
        m_notifying = true;
        beginResetModel();
        m_notifying = false;
    });
    connect(m_dataSet, &data::DataSet::reset, this, [this]() {
        rebuildColumns();
        m_notifying = true;
        endResetModel();
        m_notifying = false;
    });
    connect(m_dataSet, &data::DataSet::rowsAboutToBeInserted, this,
            [this](int first, int last) {
                m_notifying = true;
                beginInsertRows(QModelIndex(), first, last);
                m_notifying = false;
            });
    connect(m_dataSet, &data::DataSet::rowsInserted, this, [this]() {
        m_notifying = true;
        endInsertRows();
        m_notifying = false;
    });
    connect(m_dataSet, &data::DataSet::rowsAboutToBeRemoved, this,
            [this](int first, int last) {
                m_notifying = true;
                beginRemoveRows(QModelIndex(), first, last);
                m_notifying = false;
            });
    connect(m_dataSet, &data::DataSet::rowsRemoved, this, [this]() {
        m_notifying = true;
        endRemoveRows();
        m_notifying = false;
    });
    connect(m_dataSet, &data::DataSet::rowChanged, this, [this](int row) {
        if (row >= 0 && row < rowCount() && columnCount() > 0)
            emit dataChanged(index(row, 0), index(row, columnCount() - 1));
    });
}

void DataSetModel::rebuildColumns()
{
    m_columns.clear();
    for (int i = 0; i < m_dataSet->fieldCount(); ++i)
        if (m_dataSet->fieldAt(i).isVisible())
            m_columns.push_back(i);
}

int DataSetModel::fieldIndex(int column) const
{
    return column >= 0 && column < static_cast<int>(m_columns.size()) ? m_columns[column] : -1;
}

int DataSetModel::columnOfField(const QString &fieldName) const
{
    for (int c = 0; c < static_cast<int>(m_columns.size()); ++c)
        if (m_dataSet->fieldAt(m_columns[c]).fieldName().compare(fieldName, Qt::CaseInsensitive) == 0)
            return c;
    return -1;
}

int DataSetModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() || !m_dataSet->isActive() ? 0 : m_dataSet->fetchedCount();
}

int DataSetModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_columns.size());
}

QVariant DataSetModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return QVariant();
    const int f = m_columns[index.column()];
    switch (role) {
    case Qt::DisplayRole: return m_dataSet->textAt(index.row(), f, true);
    case Qt::EditRole: return m_dataSet->textAt(index.row(), f, false);
    case Qt::TextAlignmentRole:
        switch (m_dataSet->fieldAt(f).dataType()) {
        case fb::FieldKind::SmallInt:
        case fb::FieldKind::Integer:
        case fb::FieldKind::BigInt:
        case fb::FieldKind::Numeric:
        case fb::FieldKind::Float:
        case fb::FieldKind::Double: return QVariant(Qt::AlignRight | Qt::AlignVCenter);
        default: return QVariant();
        }
    case Qt::BackgroundRole: {
        const auto it = m_backgrounds.constFind(m_dataSet->fieldAt(f).fieldName().toUpper());
        return it == m_backgrounds.constEnd() ? QVariant() : QVariant(*it);
    }
    default: return QVariant();
    }
}

void DataSetModel::setFieldBackground(const QString &fieldName, const QBrush &brush)
{
    if (brush.style() == Qt::NoBrush)
        m_backgrounds.remove(fieldName.toUpper());
    else
        m_backgrounds.insert(fieldName.toUpper(), brush);
    if (rowCount() > 0 && columnCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), {Qt::BackgroundRole});
}

QVariant DataSetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= columnCount())
        return QAbstractTableModel::headerData(section, orientation, role);
    return m_dataSet->fieldAt(m_columns[section]).displayLabel();
}

Qt::ItemFlags DataSetModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags fl = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    const data::Field &f = m_dataSet->fieldAt(m_columns[index.column()]);
    // A column the server computes is never written; one with a text rule (a name that looks its
    // code up) still takes typed text, which the rule turns into the code.
    if (m_dataSet->canModify() && f.takesTypedText())
        fl |= Qt::ItemIsEditable;
    return fl;
}

bool DataSetModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
        return false;
    try {
        if (m_dataSet->currentRow() != index.row())
            m_dataSet->moveTo(index.row());
        m_dataSet->edit();
        m_dataSet->fieldAt(m_columns[index.column()]).setText(value.toString());
        return true;
    } catch (const data::Abort &) {
        return false;
    } catch (const data::DataError &e) {
        emit editRefused(e.message());
    } catch (const fb::FbError &e) {
        emit editRefused(e.message());
    }
    return false;
}

bool DataSetModel::canFetchMore(const QModelIndex &parent) const
{
    return !parent.isValid() && !m_notifying && m_dataSet->isActive() && !m_dataSet->isFullyFetched();
}

void DataSetModel::fetchMore(const QModelIndex &parent)
{
    if (!parent.isValid() && !m_notifying)
        m_dataSet->fetchMore(FetchBatch);
}
