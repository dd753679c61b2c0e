#pragma once

#include <QDialog>

#include "data/UserInterface.h"

class QLabel;
class TDBGrid;

namespace data {
class DataSet;
class DataSource;
} // namespace data

// The choice of one row among a few (the plans a contact may fulfil): "&Yes" or a double-click takes
// the row the grid stands on, "&No" goes on without one, "&Cancel" or closing gives up.
class TdlgPlaneeringuValik1 : public QDialog
{
    Q_OBJECT

public:
    TdlgPlaneeringuValik1(const QString &caption, const QString &text, data::DataSet &rows, QWidget *parent = nullptr);
    ~TdlgPlaneeringuValik1() override;

    data::UserInterface::Answer answer() const { return m_answer; }
    TDBGrid *grid() const { return m_grid; }
    // Shows the dialog and gives the answer.
    data::UserInterface::Answer choose();

private:
    void finish(data::UserInterface::Answer answer);

    data::DataSource *m_source;
    TDBGrid *m_grid;
    QLabel *m_text;
    data::UserInterface::Answer m_answer = data::UserInterface::Answer::Cancel;
};
