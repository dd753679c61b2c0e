#include "TfQuickSearch.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QVBoxLayout>

#include "DataSetModel.h"
#include "data/DataSet.h"
#include "data/FieldText.h"
#include "data/Translate.h"

bool TfQuickSearch::opensSearch(const QKeyEvent *event)
{
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QString text = event->text();
    return !text.isEmpty() && text.at(0).isPrint();
}

TfQuickSearch *TfQuickSearch::open(QAbstractItemView *grid, const QString &typed)
{
    auto *model = qobject_cast<DataSetModel *>(grid->model());
    const int column = grid->currentIndex().isValid() ? grid->currentIndex().column() : 0;
    if (!model || model->fieldIndex(column) < 0)
        return nullptr;
    // Keys that reach the grid while its window comes up belong to the window already open.
    TfQuickSearch *window = nullptr;
    for (TfQuickSearch *open : grid->window()->findChildren<TfQuickSearch *>(QString(), Qt::FindDirectChildrenOnly))
        if (open->m_grid == grid && open->isVisible())
            window = open;
    if (!window) {
        window = new TfQuickSearch(grid, model, column);
        window->show();
        window->activateWindow();
        window->m_edit->setFocus();
    }
    // The first character goes through the same conversion and search as those that follow.
    for (const QChar ch : typed)
        window->m_edit->insert(window->convertKey(QString(ch)));
    return window;
}

TfQuickSearch::TfQuickSearch(QAbstractItemView *grid, DataSetModel *model, int column)
    : QWidget(grid->window(), Qt::Tool | Qt::MSWindowsFixedSizeDialogHint)
    , m_grid(grid)
    , m_model(model)
    , m_column(column)
    , m_field(model->fieldIndex(column))
    , m_edit(new QLineEdit(this))
{
    setObjectName(QStringLiteral("fQuickSearch"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowModality(Qt::WindowModal);
    setToolTip(Translate(QStringLiteral("ESC - Tagasi|")).section(QLatin1Char('|'), 0, 0));
    setStatusTip(Translate(QStringLiteral("ESC - Tagasi|")).section(QLatin1Char('|'), 1));
    setWindowTitle(model->dataSet()->fieldAt(m_field).displayLabel());
    m_edit->setObjectName(QStringLiteral("Edit1"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(m_edit);
    m_edit->installEventFilter(this);
    connect(m_edit, &QLineEdit::textChanged, this, &TfQuickSearch::search);
    // Over the grid's upper left corner, clear of its header.
    setFixedSize(qMax(180, grid->width() / 3), sizeHint().height());
    move(grid->viewport()->mapToGlobal(QPoint(8, 8)));
}

QString TfQuickSearch::convertKey(const QString &typed) const
{
    if (typed.isEmpty() || !m_model)
        return typed;
    const data::Field &field = m_model->dataSet()->fieldAt(m_field);
    // Only columns that hold what the database gave convert; looked-up and calculated ones do not.
    if (field.kind() != data::Field::Kind::Data && field.kind() != data::Field::Kind::Computed)
        return typed;
    const QChar ch = typed.at(0);
    switch (field.dataType()) {
    case fb::FieldKind::Date:
    case fb::FieldKind::Timestamp:
        if (!ch.isDigit() && !m_edit->text().isEmpty())
            return QString(data::FieldText::dateSeparator());
        return typed;
    case fb::FieldKind::Float:
    case fb::FieldKind::Double:
    case fb::FieldKind::Numeric:
        if (ch == QLatin1Char(',') || ch == QLatin1Char('.'))
            return QStringLiteral(".");
        return typed;
    default:
        return typed;
    }
}

bool TfQuickSearch::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_edit && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
            close();
            return true;
        default:
            break;
        }
        if (opensSearch(key)) {
            const QString converted = convertKey(key->text());
            if (converted != key->text()) {
                m_edit->insert(converted);
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TfQuickSearch::search(const QString &text)
{
    if (text.isEmpty() || !m_model || !m_grid)
        return;
    data::DataSet *ds = m_model->dataSet();
    if (!ds->isActive())
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QString wanted = text.toUpper();
    // No row before the match of a shorter beginning can start with a longer one: a further key
    // goes on from there instead of from the first row.
    const int start = !m_lastText.isEmpty() && wanted.startsWith(m_lastText) ? m_lastRow : 0;
    try {
        // Compared as the column shows its values, in the rows not yet fetched too; the text is
        // taken literally, with no wildcard of its own.
        for (int row = start;; ++row) {
            if (row >= ds->fetchedCount() && (ds->isFullyFetched() || ds->fetchMore(DataSetModel::FetchBatch) == 0)) {
                // Nothing starts so: the next key has to look from where this one began.
                m_lastText = wanted;
                m_lastRow = start;
                break;
            }
            if (ds->textAt(row, m_field, false).toUpper().startsWith(wanted)) {
                m_lastText = wanted;
                m_lastRow = row;
                ds->moveTo(row);
                const QModelIndex index = m_model->index(row, m_column);
                m_grid->setCurrentIndex(index);
                m_grid->scrollTo(index);
                break;
            }
        }
    } catch (const std::exception &) {
        // A row that cannot be read or compared is no reason to stop the person typing.
    }
    QApplication::restoreOverrideCursor();
}
