#include "DataSource.h"

#include "DataSet.h"

namespace data {

DataSource::DataSource(DataSet *dataSet, QObject *parent) : QObject(parent)
{
    setDataSet(dataSet);
}

void DataSource::setDataSet(DataSet *dataSet)
{
    if (m_dataSet)
        disconnect(m_dataSet, nullptr, this, nullptr);
    m_dataSet = dataSet;
    if (!m_dataSet)
        return;
    connect(m_dataSet, &DataSet::currentRowChanged, this, &DataSource::currentChanged);
    connect(m_dataSet, &DataSet::reset, this, &DataSource::currentChanged);
    connect(m_dataSet, &DataSet::rowChanged, this, [this](int row) {
        // Field changes while editing do not count: only a posted, cancelled or re-read row does.
        if (row == m_dataSet->currentRow() && !m_dataSet->isEditing())
            emit dataChanged();
    });
    connect(m_dataSet, &QObject::destroyed, this, [this]() { m_dataSet = nullptr; });
}

} // namespace data
