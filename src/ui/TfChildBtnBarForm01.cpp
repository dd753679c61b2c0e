#include "TfChildBtnBarForm01.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "TDBEdit.h"
#include "TDBMemo.h"
#include "TDBLookupComboBox.h"
#include "TDynFilterComboBox.h"
#include "TDynFilterDBCombo.h"
#include "data/DataError.h"
#include "data/DataSet.h"
#include "data/DataSource.h"
#include "data/Translate.h"
#include "data/UserInterface.h"
#include "fb/FbError.h"

TfChildBtnBarForm01::TfChildBtnBarForm01(const WindowContext &context, QWidget *parent)
    : QWidget(parent), m_context(context), m_bar(new QWidget(this)), m_barLayout(new QHBoxLayout(m_bar)),
      m_menu(new QMenu(Translate(QStringLiteral("Aktii&vne aken")), this)), m_lookupPopup(new QMenu(this)),
      m_layout(new QVBoxLayout(this))
{
    m_bar->setObjectName(QStringLiteral("panToolBar"));
    m_barLayout->setContentsMargins(0, 0, 0, 0);
    m_barLayout->setSpacing(0);
    m_menu->setObjectName(QStringLiteral("Vorm1"));
    m_lookupPopup->setObjectName(QStringLiteral("LookupPopup1"));
    m_lookupPopup->addAction(Translate(QStringLiteral("Clear")), this, [this] {
        if (m_popupOwner)
            runCommand([this] { ClearControl(m_popupOwner); });
    })->setObjectName(QStringLiteral("LookupPopup1Clear"));
    m_layout->setContentsMargins(2, 2, 2, 2);
    // Until the main window takes the bar into its tool bar, the window shows it itself.
    m_layout->addWidget(m_bar);
}

TfChildBtnBarForm01::~TfChildBtnBarForm01() = default;

std::function<void(const std::exception &)> &TfChildBtnBarForm01::errorHook()
{
    static std::function<void(const std::exception &)> hook;
    return hook;
}

QToolButton *TfChildBtnBarForm01::addBarButton(QAction *action, const QString &objectName)
{
    auto *b = new QToolButton(m_bar);
    b->setObjectName(objectName);
    b->setDefaultAction(action);
    // A caption that carries its shortcut after a wide gap shows the caption on the button and the
    // whole text as the hint.
    if (const qsizetype gap = action->text().indexOf(QStringLiteral("    ")); gap > 0) {
        b->setText(action->text().left(gap));
        b->setToolTip(action->text().simplified());
    }
    b->setAutoRaise(true);
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_barLayout->addWidget(b);
    return b;
}

QAction *TfChildBtnBarForm01::addCommand(const QString &objectName, const QString &caption,
                                         const std::function<void()> &command, const QKeySequence &shortcut,
                                         const QString &buttonName, QAction *menuBefore)
{
    auto *a = new QAction(caption, this);
    a->setObjectName(objectName);
    if (!shortcut.isEmpty()) {
        a->setShortcut(shortcut);
        a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        addAction(a);
    }
    connect(a, &QAction::triggered, this, [this, command] { runCommand(command); });
    if (menuBefore)
        m_menu->insertAction(menuBefore, a);
    else
        m_menu->addAction(a);
    if (!buttonName.isEmpty())
        addBarButton(a, buttonName);
    return a;
}

void TfChildBtnBarForm01::reportError(const std::exception &e)
{
    if (errorHook()) {
        errorHook()(e);
        return;
    }
    QString message;
    if (const auto *d = dynamic_cast<const data::DataError *>(&e))
        message = d->message();
    else if (const auto *f = dynamic_cast<const fb::FbError *>(&e))
        message = f->message();
    else
        message = QString::fromLocal8Bit(e.what());
    if (m_context.ui)
        m_context.ui->showMessage(message, windowTitle());
}

bool TfChildBtnBarForm01::runCommand(const std::function<void()> &command)
{
    try {
        command();
        return true;
    } catch (const data::Abort &) {
    } catch (const std::exception &e) {
        reportError(e);
    }
    return false;
}

void TfChildBtnBarForm01::addEditedSource(data::DataSource *source)
{
    m_sources.emplace_back(source);
}

bool TfChildBtnBarForm01::IsUnchanged() const
{
    for (const auto &s : m_sources)
        if (s && s->dataSet() && s->dataSet()->isEditing())
            return false;
    return true;
}

void TfChildBtnBarForm01::SaveAll()
{
    // Save from the tool bar takes no focus: what is still in the edit is saved with the rest.
    UpdateFocusedControl();
    // A refused post stops the walk: its dataset stays in its state and the error goes on.
    for (const auto &s : m_sources)
        if (s && s->dataSet() && s->dataSet()->isEditing())
            s->dataSet()->post();
}

void TfChildBtnBarForm01::CancelAll()
{
    for (const auto &s : m_sources)
        if (s && s->dataSet() && s->dataSet()->isEditing())
            s->dataSet()->cancel();
}

void TfChildBtnBarForm01::UpdateFocusedControl()
{
    if (auto *edit = qobject_cast<TDBEdit *>(QApplication::focusWidget()); edit && isAncestorOf(edit))
        edit->updateRecord();
    else if (auto *memo = qobject_cast<TDBMemo *>(QApplication::focusWidget()); memo && isAncestorOf(memo))
        memo->updateRecord();
}

TfChildBtnBarForm01::SaveAnswer TfChildBtnBarForm01::AskSave()
{
    // A tool bar button takes no focus: the text still in the edit is a change as well.
    UpdateFocusedControl();
    if (IsUnchanged())
        return SaveAnswer::No;
    const auto answer = m_context.ui
                            ? m_context.ui->ask(Translate(QStringLiteral("Andmeid on muudetud!")) + QStringLiteral("\n") +
                                                    Translate(QStringLiteral("Kas salvestada ?")),
                                                windowTitle(), data::UserInterface::Buttons::YesNoCancel)
                            : data::UserInterface::Answer::Cancel;
    switch (answer) {
    case data::UserInterface::Answer::Yes:
        SaveAll();
        return SaveAnswer::Yes;
    case data::UserInterface::Answer::No: {
        data::DataSet *main = !m_sources.empty() && m_sources.front() ? m_sources.front()->dataSet() : nullptr;
        const bool inserting = main && main->state() == data::DataSet::State::Insert;
        CancelAll();
        return inserting ? SaveAnswer::Discarded : SaveAnswer::No;
    }
    default: return SaveAnswer::Cancel;
    }
}

bool TfChildBtnBarForm01::event(QEvent *event)
{
    // The window's own Alt shortcuts come before the main menu's mnemonics: Alt+S saves the record
    // rather than opening "&Seadistused". The command runs when the key is offered as a shortcut;
    // the key press that follows is swallowed.
    if (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->modifiers() & Qt::AltModifier) {
            const QKeySequence pressed(key->keyCombination());
            for (QAction *a : actions()) {
                if (a->shortcut() != pressed)
                    continue;
                if (event->type() == QEvent::ShortcutOverride) {
                    // The press itself goes to the control with the focus next, which would type
                    // its letter: that control hands it to this window to be dropped.
                    if (QWidget *focused = QApplication::focusWidget(); focused && isAncestorOf(focused)) {
                        m_shortcutKeyIn = focused;
                        m_shortcutKey = key->keyCombination();
                        focused->installEventFilter(this);
                    }
                    // What is being typed counts: the edit writes it first, and that may enable Save.
                    UpdateFocusedControl();
                    if (a->isEnabled())
                        a->trigger();
                }
                event->accept();
                return true;
            }
        }
    }
    return QWidget::event(event);
}

QAction *TfChildBtnBarForm01::addOwnCommand(const char *objectName, const char *caption, const char *shortcut,
                                            const char *buttonName, const std::function<void()> &command)
{
    if (!m_ownCommandsEnd && !m_menu->actions().isEmpty())
        m_ownCommandsEnd = m_menu->insertSeparator(m_menu->actions().constFirst());
    return addCommand(QString::fromLatin1(objectName), Translate(QString::fromUtf8(caption)), command,
                      QKeySequence(QString::fromLatin1(shortcut)), QString::fromLatin1(buttonName), m_ownCommandsEnd);
}

void TfChildBtnBarForm01::closeEvent(QCloseEvent *event)
{
    // The save question decides: Cancel, or a save that failed, keeps the window with its changes.
    SaveAnswer answer = SaveAnswer::Cancel;
    if (!runCommand([this, &answer] { answer = AskSave(); }) || answer == SaveAnswer::Cancel) {
        event->ignore();
        return;
    }
    event->accept();
    // A window that closes itself (a dropped new record, a deleted one) takes its frame in the main
    // window's area with it, rather than leaving the frame empty.
    if (auto *frame = qobject_cast<QMdiSubWindow *>(parentWidget()); frame && frame->isVisible())
        QTimer::singleShot(0, frame, &QWidget::close);
}

void TfChildBtnBarForm01::ClearControl(QWidget *control)
{
    if (auto *lookup = qobject_cast<TDBLookupComboBox *>(control)) {
        lookup->link().clear();
    } else if (auto *edit = qobject_cast<TDBEdit *>(control)) {
        if (edit->link().canClear())
            edit->link().clear();
    } else if (auto *filterDb = qobject_cast<TDynFilterDBCombo *>(control)) {
        filterDb->clearValue();
    } else if (auto *line = qobject_cast<QLineEdit *>(control)) {
        line->clear();
    } else if (auto *combo = qobject_cast<QComboBox *>(control)) {
        combo->setCurrentIndex(-1);
    }
}

void TfChildBtnBarForm01::attachLookupClearing(QWidget *control)
{
    control->setProperty("lookupClearing", true);
    control->installEventFilter(this);
    control->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(control, &QWidget::customContextMenuRequested, this, [this, control](const QPoint &pos) {
        m_popupOwner = control;
        m_lookupPopup->popup(control->mapToGlobal(pos));
    });
}

bool TfChildBtnBarForm01::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (watched == m_shortcutKeyIn && key->keyCombination() == m_shortcutKey) {
            m_shortcutKeyIn.clear();
            return true;
        }
        const bool plain = (key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) == 0;
        if (plain && (key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Delete)) {
            if (auto *w = qobject_cast<QWidget *>(watched); w && w->property("lookupClearing").toBool()) {
                runCommand([w] { ClearControl(w); });
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}
