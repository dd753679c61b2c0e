#include "DataSource.h"

#include "DataSet.h"

namespace data {

namespace {

template <typename T> void forget(std::vector<QPointer<T>> &list, const T *item)
{
    std::erase_if(list, [item](const QPointer<T> &p) { return p.isNull() || p.data() == item; });
}

} // namespace

DataSource::DataSource(DataSet *dataSet, QObject *parent) : QObject(parent)
{
    setDataSet(dataSet);
}

void DataSource::setDataSet(DataSet *dataSet)
{
    if (m_dataSet) {
        disconnect(m_dataSet, nullptr, this, nullptr);
        forget(m_dataSet->m_sources, this);
    }
    m_dataSet = dataSet;
    if (!m_dataSet)
        return;
    // The dataset reaches its details through its sources before it leaves a row.
    m_dataSet->m_sources.emplace_back(this);
    connect(m_dataSet, &DataSet::currentRowChanged, this, &DataSource::currentChanged);
    connect(m_dataSet, &DataSet::reset, this, &DataSource::currentChanged);
    connect(m_dataSet, &DataSet::rowChanged, this, [this](int row) {
        // Field changes while editing do not count: only a posted, cancelled or re-read row does.
        if (row == m_dataSet->currentRow() && !m_dataSet->isEditing())
            emit dataChanged();
    });
    connect(m_dataSet, &QObject::destroyed, this, [this]() { m_dataSet = nullptr; });
}

std::vector<DataSet *> DataSource::details() const
{
    std::vector<DataSet *> list;
    for (const QPointer<DataSet> &d : m_details)
        if (d && d->masterSource() == this)
            list.push_back(d.data());
    return list;
}

} // namespace data
