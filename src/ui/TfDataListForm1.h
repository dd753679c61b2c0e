#pragma once

#include <QDate>
#include <QStringList>

#include "TfChildBtnBarForm01.h"

class QCheckBox;
class QGridLayout;
class QHBoxLayout;
class QMenu;
class TDBGrid;
class THDBNavigator;

namespace data {
class DataSet;
class DataSource;
} // namespace data

// The list window: a read-only grid over one dataset with a filter panel above it, the navigator,
// refresh, sort, the filter switch and the window's menu.
class TfDataListForm1 : public TfChildBtnBarForm01
{
    Q_OBJECT

public:
    explicit TfDataListForm1(const WindowContext &context, QWidget *parent = nullptr);
    ~TfDataListForm1() override;

    // Binds the window to its dataset and opens it.
    void setDataSet(data::DataSet *dataSet);
    data::DataSet *dataSet() const;
    data::DataSource *DataSource1() const { return m_source; }
    TDBGrid *DBGrid1() const { return m_grid; }
    THDBNavigator *HDBNavigator1() const { return m_navigator; }
    QCheckBox *cbUseFilter() const { return m_useFilter; }
    QWidget *panFilter() const { return m_panFilter; }
    QMenu *popKuupValik() const { return m_dateMenu; }

    // Shows all rows: the filter switch goes off and the filter is applied.
    void DisableFilter();
    // Collects the conditions of the filter panel, applies them and returns them joined.
    virtual QString ApplyFilter() { return QString(); }
    // The filter in words, the subtitle of a printed list.
    virtual QString FilterDescription() { return QString(); }
    // The range chosen from the date-range menu: written into the window's date filter controls.
    virtual void SetDateRange(const QDate &from, const QDate &to)
    {
        Q_UNUSED(from);
        Q_UNUSED(to);
    }

    // The commands of the window (also reached through its menu and buttons).
    void UpdateFilter();
    void RefreshData();
    void Sort();
    // The list to a text file or the clipboard, with the columns the user picks (level 3 and up).
    void ExportList();
    // The list printed with the columns the user picks, the filter in words as its subtitle.
    void PrintList();

    // The columns last chosen for export and print, and whether the export went to the clipboard:
    // the next time starts from them.
    const QStringList &exportColumns() const { return m_exportColumns; }
    const QStringList &printColumns() const { return m_printColumns; }
    bool exportsToClipboard() const { return m_exportToClipboard; }

protected:
    // Filter controls: Enter applies the filter, Backspace and Delete clear the control, and the
    // pop-up offers "Kustuta" and "Kehtesta filtritingimused". Date controls get the date-range menu.
    void addFilterControl(QWidget *control, const QString &label = QString());
    void addDateFilterControl(QWidget *control, const QString &label = QString());
    // The same for a panel of several rows: the label goes into `grid` at (row, column), the controls
    // of the criterion side by side in the cell after it. The window has put `grid` into the panel.
    void addFilterControls(const QList<QWidget *> &controls, QGridLayout *grid, int row, int column,
                           const QString &label = QString(), int columnSpan = 1);
    // The fields a printed list starts with, before the user has chosen any.
    void setPrintColumns(const QStringList &fieldNames) { m_printColumns = fieldNames; }
    // One more item of the date-range menu, at its end, for the range of `tag` (see DateRangeForTag).
    QAction *addDateRangeItem(const QString &objectName, const QString &caption, int tag);
    QHBoxLayout *filterLayout() const { return m_filterLayout; }
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void watchFilterControl(QWidget *control);
    void buildDateMenu();
    void dateRangeChosen(int tag);

    data::DataSource *m_source;
    TDBGrid *m_grid;
    THDBNavigator *m_navigator;
    QWidget *m_panFilter;
    QHBoxLayout *m_filterLayout;
    QCheckBox *m_useFilter;
    QAction *m_filterMenuItem = nullptr;
    QMenu *m_filterPopup;
    QMenu *m_dateMenu;
    QPointer<QWidget> m_popupOwner;
    QStringList m_exportColumns;
    QStringList m_printColumns;
    bool m_exportToClipboard = false;
};
