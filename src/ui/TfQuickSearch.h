#pragma once

#include <QPointer>
#include <QWidget>

class QAbstractItemView;
class QKeyEvent;
class QLineEdit;
class DataSetModel;

namespace data {
class Field;
}

// The quick search of the list grids: a small window over the grid in which the person types the
// beginning of a value of the grid's selected column, and the grid's dataset moves to the first row
// that starts so. Any grid whose model is a DataSetModel can have one.
class TfQuickSearch : public QWidget
{
    Q_OBJECT

public:
    // Whether a key pressed in a grid opens the quick search: a printable character without Ctrl or Alt.
    static bool opensSearch(const QKeyEvent *event);
    // Opens the window over the grid with the typed text; none when the grid shows no dataset column.
    // The window frees itself when it closes.
    static TfQuickSearch *open(QAbstractItemView *grid, const QString &typed);

    QLineEdit *edit() const { return m_edit; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    TfQuickSearch(QAbstractItemView *grid, DataSetModel *model, int column);
    void search(const QString &text);
    // The character the column takes for a typed one.
    QString convertKey(const QString &typed) const;

    QPointer<QAbstractItemView> m_grid;
    QPointer<DataSetModel> m_model;
    int m_column;
    int m_field;
    // Where the last text matched: a longer text starting with it matches there or further on.
    QString m_lastText;
    int m_lastRow = 0;
    QLineEdit *m_edit;
};
