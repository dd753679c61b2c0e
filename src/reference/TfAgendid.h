#pragma once

#include "ui/TfLk2Vorm01.h"

class TDBCheckBox;
class TDBEdit;
class TDBEditBtn;
class TDBGrid;
class THDBNavigator;

// "Agendid": the sales staff, with the history of their base salary and of their sales turnover.
class TfAgendid : public TfLk2Vorm01
{
    Q_OBJECT

public:
    explicit TfAgendid(const WindowContext &context, QWidget *parent = nullptr);

    // Record tab controls by field name ("AGENTKOOD", "AGTEL", ...).
    TDBEdit *edit(const QString &fieldName) const;
    TDBEditBtn *edLinnVald() const { return m_place; }
    TDBCheckBox *cbAgentAktiivne() const { return m_active; }
    TDBGrid *grPohiPalk() const { return m_salaryGrid; }
    TDBGrid *grMyygiKaive() const { return m_turnoverGrid; }
    THDBNavigator *navPohiPalk() const { return m_salaryNavigator; }
    THDBNavigator *navMyygiKaive() const { return m_turnoverNavigator; }

    // "Linna-valla valik": the chosen place, and with it its country, become the agent's.
    void edLinnValdBtnClick();
    // The "..." of a date cell in a history grid: the calendar on the cell's date; nothing on
    // another column.
    void HistoryDateBtnClick(TDBGrid *grid);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *historyPage(const QString &dataSetName, const QString &objectName, TDBGrid *&grid,
                         THDBNavigator *&navigator);

    QList<TDBEdit *> m_edits;
    TDBEditBtn *m_place = nullptr;
    TDBCheckBox *m_active = nullptr;
    TDBGrid *m_salaryGrid = nullptr;
    TDBGrid *m_turnoverGrid = nullptr;
    THDBNavigator *m_salaryNavigator = nullptr;
    THDBNavigator *m_turnoverNavigator = nullptr;
};
