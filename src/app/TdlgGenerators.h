#pragma once

#include <QList>
#include <QStringList>

#include "ui/FilledDialog.h"

class QTableWidget;
class Generators;

namespace data {
class UserInterface;
}

// "Automaatne koodide genereerimine": the current values of the generators that number new rows,
// for an administrator to see and to set.
class TdlgGenerators : public FilledDialog
{
    Q_OBJECT

public:
    // Without a user interface the dialog uses the program's message boxes.
    TdlgGenerators(Generators &generators, data::UserInterface *ui, QWidget *parent = nullptr);
    ~TdlgGenerators() override;

    static bool Run(Generators &generators, data::UserInterface *ui, QWidget *parent = nullptr);

    QTableWidget *grid() const { return m_grid; }

public slots:
    // A value that is not a whole number is refused with data::DataError (shown by the program's error
    // handler) and the dialog stays open with nothing set.
    void bOKClick();

protected:
    void fill() override;

private:
    Generators &m_generators;
    QTableWidget *m_grid;
    QStringList m_names;
    QList<qint64> m_values; // as read on show
};
