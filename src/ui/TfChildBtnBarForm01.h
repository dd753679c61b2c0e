#pragma once

#include <exception>
#include <functional>
#include <vector>

#include <QPointer>
#include <QWidget>

#include "data/DataSource.h"

class QAction;
class QHBoxLayout;
class QMenu;
class QToolButton;
class QVBoxLayout;

namespace data {
class DataSource;
class TData1;
class UserInterface;
} // namespace data

// What a window of the program is given: the main data module (its datasets, rules and session) and
// the user-interface port through which it speaks to the person.
struct WindowContext
{
    data::TData1 *data = nullptr;
    data::UserInterface *ui = nullptr;
};

// The base of every child window: a button bar that the main window shows in its tool bar while the
// window is active, the window's own menu "Aktii&vne aken" that the main window merges into its menu
// bar, and the save question that guards every change in progress.
class TfChildBtnBarForm01 : public QWidget
{
    Q_OBJECT

public:
    enum class SaveAnswer { Yes, No, Discarded, Cancel };

    explicit TfChildBtnBarForm01(const WindowContext &context, QWidget *parent = nullptr);
    ~TfChildBtnBarForm01() override;

    const WindowContext &context() const { return m_context; }
    data::UserInterface *ui() const { return m_context.ui; }
    // The button bar ("panToolBar"); the main window moves it into its tool bar.
    QWidget *buttonBar() const { return m_bar; }
    // The window's menu ("Vorm1"), merged into the main menu bar while the window is active.
    QMenu *windowMenu() const { return m_menu; }
    // The pop-up with "Clear" for look-up controls.
    QMenu *lookupPopup() const { return m_lookupPopup; }

    // The data sources whose changes the window saves or drops together, the main one first.
    void addEditedSource(data::DataSource *source);
    bool IsUnchanged() const;
    void SaveAll();
    void CancelAll();
    // Unsaved changes: "Andmeid on muudetud!" / "Kas salvestada ?" with Yes, No and Cancel.
    SaveAnswer AskSave();
    // The focused data edit or memo writes what is typed in it into its field.
    void UpdateFocusedControl();

    // Runs a command of the window; what it throws is reported (a refusal that has shown its own
    // message stays silent) and false is returned.
    bool runCommand(const std::function<void()> &command);
    // Where errors of window commands go; the program sets it to its error handler (message and error
    // log line). Without one the message is shown through the window's user interface.
    static std::function<void(const std::exception &)> &errorHook();

    // The clearing rule for one control: a data-bound control clears its field (a look-up field its
    // key), another edit its text, another drop-down its choice.
    static void ClearControl(QWidget *control);

protected:
    // A button in the bar for an action of the window menu.
    QToolButton *addBarButton(QAction *action, const QString &objectName);
    // A command in the window menu (and, with `buttonName`, in the bar); with `menuBefore`, placed in
    // the menu before that entry (a window's own commands before the framework's).
    QAction *addCommand(const QString &objectName, const QString &caption, const std::function<void()> &command,
                        const QKeySequence &shortcut = QKeySequence(), const QString &buttonName = QString(),
                        QAction *menuBefore = nullptr);
    // A command of the window itself: in the window menu before the framework's entries (a separator
    // between them), and in the bar. `shortcut` and `buttonName` as text ("Alt+E", "bShowClient").
    QAction *addOwnCommand(const char *objectName, const char *caption, const char *shortcut, const char *buttonName,
                           const std::function<void()> &command);
    // The client area below the bar (or where the bar was).
    QVBoxLayout *mainLayout() const { return m_layout; }

    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    bool event(QEvent *event) override;

    void reportError(const std::exception &e);
    // Installs the clearing keys (Backspace, Delete) and the "Clear" pop-up on a look-up control.
    void attachLookupClearing(QWidget *control);

private:
    WindowContext m_context;
    QWidget *m_bar;
    QHBoxLayout *m_barLayout;
    QMenu *m_menu;
    QMenu *m_lookupPopup;
    QVBoxLayout *m_layout;
    std::vector<QPointer<data::DataSource>> m_sources;
    QPointer<QWidget> m_popupOwner;
    QAction *m_ownCommandsEnd = nullptr; // the separator after the window's own commands
    // The control whose next press of this key is the shortcut's and must not be typed into it.
    QPointer<QWidget> m_shortcutKeyIn;
    QKeyCombination m_shortcutKey;
};
