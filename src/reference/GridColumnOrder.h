#pragma once

#include <QStringList>

class TDBGrid;

// Shows the grid's columns of these fields first and in this order (the rest after them), also after
// every reopen of the dataset: a register's list shows a name that the server computes beside its
// code where the code stands, not at the end of the row.
void SetGridColumnOrder(TDBGrid *grid, const QStringList &fieldNames);
