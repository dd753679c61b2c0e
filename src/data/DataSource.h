#pragma once

#include <vector>

#include <QObject>
#include <QPointer>

namespace data {

class DataSet;

// Links a dataset to its controls and to detail datasets: it reports row moves and changes of the
// dataset it points at.
class DataSource : public QObject
{
    Q_OBJECT

public:
    explicit DataSource(DataSet *dataSet = nullptr, QObject *parent = nullptr);

    DataSet *dataSet() const { return m_dataSet; }
    void setDataSet(DataSet *dataSet);
    // The datasets linked to this source as details.
    std::vector<DataSet *> details() const;

signals:
    // The current row of the dataset is another one, or the dataset opened, closed or was reset.
    void currentChanged();
    // A posted or cancelled change of the current row.
    void dataChanged();

private:
    friend class DataSet;
    DataSet *m_dataSet = nullptr;
    std::vector<QPointer<DataSet>> m_details;
};

} // namespace data
