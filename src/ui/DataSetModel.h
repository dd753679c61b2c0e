#pragma once

#include <vector>

#include <QAbstractTableModel>
#include <QBrush>
#include <QHash>

namespace data {
class DataSet;
}

// A table model over a dataset for the grids: one column per visible field, rows fetched as the view
// scrolls, edits written through the fields' text rules.
class DataSetModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit DataSetModel(data::DataSet *dataSet, QObject *parent = nullptr);

    data::DataSet *dataSet() const { return m_dataSet; }
    // The dataset field shown in a model column, or -1.
    int fieldIndex(int column) const;
    int columnOfField(const QString &fieldName) const;
    // The cells of a field drawn on another background (none: the view's own).
    void setFieldBackground(const QString &fieldName, const QBrush &brush);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    bool canFetchMore(const QModelIndex &parent) const override;
    void fetchMore(const QModelIndex &parent) override;

    static constexpr int FetchBatch = 256;

signals:
    // An edit that the field or the dataset refused, with the text to show.
    void editRefused(const QString &message);

private:
    void rebuildColumns();

    data::DataSet *m_dataSet;
    std::vector<int> m_columns;
    bool m_notifying = false;
    QHash<QString, QBrush> m_backgrounds;
};
