#pragma once

#include <array>
#include <functional>

#include <QStringList>
#include <QWidget>

#include "DataLink.h"

class QToolButton;

// The row navigator of a data source: first, prior, next, last, insert, delete, edit, post, cancel
// and refresh, by index 0 to 9. Every press, by mouse or by a menu item routed to it, asks
// `BeforeClickAction` first, which may stop it. Buttons with a caption show it instead of a glyph.
class THDBNavigator : public QWidget
{
    Q_OBJECT

public:
    enum Button { First, Prior, Next, Last, Insert, Delete, Edit, Post, Cancel, Refresh, ButtonCount };
    using BeforeClick = std::function<void(THDBNavigator &, int button, bool &proceed)>;

    explicit THDBNavigator(QWidget *parent = nullptr);

    void bind(data::DataSource *source, data::UserInterface *ui);
    DataLink &link() { return m_link; }
    void setVisibleButtons(std::initializer_list<Button> buttons);
    void setHints(const QStringList &hints);
    void setButtonCaptions(const QStringList &captions);
    const QStringList &buttonCaptions() const { return m_captions; }
    // Asks "Kustutame kirje ?" before deleting.
    void setConfirmDelete(bool on) { m_confirmDelete = on; }
    QToolButton *button(int index) const { return m_buttons.at(static_cast<size_t>(index)); }

    // Presses a button as the user would; false when it was stopped or refused.
    bool click(int index);

    BeforeClick BeforeClickAction;

private:
    void updateButtons();
    void applyCaptions();

    DataLink m_link;
    std::array<QToolButton *, ButtonCount> m_buttons{};
    QStringList m_captions;
    bool m_confirmDelete = true;
};
