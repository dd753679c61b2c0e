#pragma once

#include <exception>
#include <functional>

#include <QBrush>
#include <QHash>
#include <QPointer>
#include <QSet>
#include <QTableView>

#include "data/DataSource.h"

class DataSetModel;
class QToolButton;

namespace data {
class DataSet;
class DataSource;
class Field;
} // namespace data

// A grid over a data source: its current row is the dataset's current row, both ways. A printable
// character asks for the quick search, Ctrl+S for sorting by the selected column, and a right click
// (no Shift, Ctrl or Alt) for the window's menu.
class TDBGrid : public QTableView
{
    Q_OBJECT

public:
    explicit TDBGrid(QWidget *parent = nullptr);

    void setDataSource(data::DataSource *source);
    data::DataSource *dataSource() const { return m_source; }
    data::DataSet *dataSet() const;
    DataSetModel *dataModel() const { return m_model; }
    // The field of the selected column, or nullptr.
    data::Field *selectedField() const;
    // Puts the grid's cursor on the dataset's current row.
    void followDataSet();
    // Column widths from the fields' display widths.
    void sizeColumns();
    // Columns of these fields carry a "..." button on their current cell (Ctrl+Enter clicks it too).
    void setButtonFields(const QStringList &fieldNames);
    bool hasButton(const QString &fieldName) const;
    // The button of the current cell; hidden where the column has none.
    QToolButton *cellButton() const { return m_cellButton; }
    // The cells of a field drawn on another background.
    void setFieldBackground(const QString &fieldName, const QBrush &brush);
    // Reports an error of a move the user made in the grid.
    std::function<void(const std::exception &)> onError;

signals:
    void quickSearchRequested(const QString &typed);
    void sortRequested();
    void popupRequested(const QPoint &globalPos);
    void cellButtonClicked(const QString &fieldName);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void updateGeometries() override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void placeCellButton();
    void clickCellButton();

    QPointer<data::DataSource> m_source;
    DataSetModel *m_model = nullptr;
    bool m_following = false;
    QSet<QString> m_buttonFields;
    QToolButton *m_cellButton = nullptr;
    QHash<QString, QBrush> m_backgrounds;
};
