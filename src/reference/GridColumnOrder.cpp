#include "GridColumnOrder.h"

#include <QHeaderView>

#include "ui/DataSetModel.h"
#include "ui/TDBGrid.h"

namespace {

void arrange(TDBGrid *grid, const QStringList &fieldNames)
{
    DataSetModel *model = grid->dataModel();
    if (!model)
        return;
    QHeaderView *header = grid->horizontalHeader();
    int place = 0;
    for (const QString &name : fieldNames) {
        const int column = model->columnOfField(name);
        if (column < 0)
            continue;
        header->moveSection(header->visualIndex(column), place++);
    }
}

} // namespace

void SetGridColumnOrder(TDBGrid *grid, const QStringList &fieldNames)
{
    arrange(grid, fieldNames);
    if (DataSetModel *model = grid->dataModel())
        QObject::connect(model, &QAbstractItemModel::modelReset, grid,
                         [grid, fieldNames] { arrange(grid, fieldNames); });
}
