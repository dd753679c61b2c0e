#include "SortByGridColumn.h"

#include <QAbstractItemModel>

#include "TDBGrid.h"
#include "data/DataSet.h"
#include "data/Field.h"
#include "data/FilterBuilder.h"
#include "data/UserInterface.h"

bool SortByGridColumn(TDBGrid &grid, data::UserInterface *ui)
{
    data::DataSet *ds = grid.dataSet();
    if (!ds || !ds->isActive())
        return false;
    const data::Field *f = grid.selectedField();
    if (!f) {
        // Shown as it stands, untranslated.
        if (ui)
            ui->showMessage(QStringLiteral("Ühtegi välja pole valitud !"), QStringLiteral("Sorteerimine"));
        return false;
    }
    const QString order = data::SortTextFor(*f);
    if (order.isEmpty())
        return false;
    const int column = grid.currentIndex().column();
    const bool ok = data::ApplyOrder(*ds, order);
    // The sorted column stays the selected one.
    if (grid.model() && ds->currentRow() >= 0 && column < grid.model()->columnCount())
        grid.setCurrentIndex(grid.model()->index(ds->currentRow(), column));
    return ok;
}
