#pragma once

#include "TfChildBtnBarForm01.h"

class QTabWidget;
class TDBGrid;
class THDBNavigator;

// The window of a small register: a list tab with the whole dataset in a grid and a record tab with
// the edit controls of the current row, the full navigator, copying a row, and the save question.
class TfLk2Vorm01 : public TfChildBtnBarForm01
{
    Q_OBJECT

public:
    explicit TfLk2Vorm01(const WindowContext &context, QWidget *parent = nullptr);

    // Binds the window to its dataset and opens it; without one the window reports an internal error
    // and closes.
    bool setDataSet(data::DataSet *dataSet);
    data::DataSet *dataSet() const;
    data::DataSource *DataSource1() const { return m_source; }
    TDBGrid *DBGrid2() const { return m_grid; }
    THDBNavigator *HDBNavigator0() const { return m_navigator; }
    QTabWidget *APageControl1() const { return m_pages; }
    // The record tab's panel, where a window puts its edit controls.
    QWidget *Panel2() const { return m_panel; }
    QToolButton *bKoopia() const { return m_copyButton; }

    // Focuses the edit control of a field (record tab and later tabs); the record tab when none.
    void FocusFieldControl(const QString &fieldName);
    // A new row with the values of the current one, except the generated key.
    void CopyRecord();
    void Sort();

    // The field a data-bound control of the window shows, or empty.
    static QString boundField(const QWidget *control);

protected:
    QToolButton *updateFilterButton() const { return m_updateFilter; }
    void closeEvent(QCloseEvent *event) override;
    void stateChanged();

private:
    data::DataSource *m_source;
    THDBNavigator *m_navigator;
    QTabWidget *m_pages;
    TDBGrid *m_grid;
    QWidget *m_panel;
    QToolButton *m_updateFilter = nullptr;
    QToolButton *m_copyButton = nullptr;
    int m_lastState = -1;
};
