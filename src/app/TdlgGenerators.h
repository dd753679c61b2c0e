#pragma once

#include <memory>

#include <QDialog>
#include <QList>
#include <QStringList>

class QTableWidget;
class Generators;

namespace data {
class UserInterface;
}

// "Automaatne koodide genereerimine": the current values of the generators that number new rows,
// for an administrator to see and to set.
class TdlgGenerators : public QDialog
{
    Q_OBJECT

public:
    // Without a user interface the hourglass is Qt's own.
    TdlgGenerators(Generators &generators, data::UserInterface *ui, QWidget *parent = nullptr);
    ~TdlgGenerators() override;

    static bool Run(Generators &generators, data::UserInterface *ui, QWidget *parent = nullptr);

    QTableWidget *grid() const { return m_grid; }

public slots:
    // A value that is not a whole number is refused with data::DataError (shown by the program's error
    // handler) and the dialog stays open with nothing set.
    void bOKClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void fill();

    Generators &m_generators;
    data::UserInterface *m_ui;
    std::unique_ptr<data::UserInterface> m_ownUi;
    QTableWidget *m_grid;
    QStringList m_names;
    QList<qint64> m_values; // as read on show
};
