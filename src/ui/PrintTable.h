#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace data {
class DataSet;
}

// Prints a dataset as a table: one column per chosen field (none chosen: every visible field), the
// title and subtitle above, the footer text below, optional group footers with subtotals of the sum
// fields and a grand total, shown in the print preview. Returns false, showing nothing, when there is
// no column to print; otherwise true once the preview has been shown (a non-modal preview stays open).
bool PrintTable(data::DataSet *dataSet, const QString &title, const QStringList &columns, bool modalPreview,
                const QString &footerText, bool countPages, const QStringList &groups = {},
                const QStringList &sums = {}, bool grandTotal = false, const QString &subtitle = QString(),
                QWidget *parent = nullptr);
