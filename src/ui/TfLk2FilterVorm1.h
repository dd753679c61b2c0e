#pragma once

#include "TfLk2Vorm01.h"

class QCheckBox;
class QHBoxLayout;

// A register window with a filter panel above the list: the filter switch, Enter applying it, and
// the window's own conditions in ApplyFilter.
class TfLk2FilterVorm1 : public TfLk2Vorm01
{
    Q_OBJECT

public:
    explicit TfLk2FilterVorm1(const WindowContext &context, QWidget *parent = nullptr);

    QWidget *panFilter() const { return m_panFilter; }
    QCheckBox *cbUseFilter() const { return m_useFilter; }

    void DisableFilter();
    virtual QString ApplyFilter() { return QString(); }
    void UpdateFilter();

protected:
    void addFilterControl(QWidget *control, const QString &label = QString());
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_panFilter;
    QHBoxLayout *m_filterLayout;
    QCheckBox *m_useFilter;
    QAction *m_filterMenuItem;
};
