#pragma once

#include <functional>

#include <QObject>
#include <QString>

class QLineEdit;
class QToolButton;

// The button drawn inside the right edge of an edit ("..." by default): typed text never runs under
// it, Ctrl+Enter in the edit presses it, and pressing it focuses the edit before the action runs.
class EditButton : public QObject
{
    Q_OBJECT

public:
    EditButton(QLineEdit *edit, std::function<void()> action);

    QToolButton *button() const { return m_button; }
    int buttonWidth() const { return m_width; }
    void setButtonWidth(int width);
    void setCaption(const QString &caption);
    void click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void place();

    QLineEdit *m_edit;
    QToolButton *m_button;
    std::function<void()> m_action;
    int m_width = 19;
};
