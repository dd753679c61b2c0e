#include "THDBNavigator.h"

#include <QHBoxLayout>
#include <QStyle>
#include <QToolButton>

#include "data/DataSet.h"
#include "data/Translate.h"
#include "data/UserInterface.h"

namespace {

QIcon glyph(QStyle *style, int button)
{
    static const QStyle::StandardPixmap pixmaps[] = {
        QStyle::SP_MediaSkipBackward, QStyle::SP_MediaSeekBackward, QStyle::SP_MediaSeekForward, QStyle::SP_MediaSkipForward,
        QStyle::SP_FileDialogNewFolder, QStyle::SP_TrashIcon, QStyle::SP_FileDialogDetailedView,
        QStyle::SP_DialogApplyButton, QStyle::SP_DialogCancelButton, QStyle::SP_BrowserReload};
    return style->standardIcon(pixmaps[button]);
}

} // namespace

THDBNavigator::THDBNavigator(QWidget *parent) : QWidget(parent), m_link(this)
{
    static const char *names[] = {"nbFirst", "nbPrior", "nbNext", "nbLast", "nbInsert",
                                  "nbDelete", "nbEdit", "nbPost", "nbCancel", "nbRefresh"};
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (int i = 0; i < ButtonCount; ++i) {
        auto *b = new QToolButton(this);
        b->setObjectName(QString::fromLatin1(names[i]));
        b->setAutoRaise(true);
        connect(b, &QToolButton::clicked, this, [this, i] { click(i); });
        layout->addWidget(b);
        m_buttons[static_cast<size_t>(i)] = b;
    }
    applyCaptions();
    connect(&m_link, &DataLink::changed, this, &THDBNavigator::updateButtons);
    connect(&m_link, &DataLink::stateChanged, this, &THDBNavigator::updateButtons);
}

void THDBNavigator::bind(data::DataSource *source, data::UserInterface *ui)
{
    m_link.setUserInterface(ui);
    m_link.setDataSource(source);
    updateButtons();
}

void THDBNavigator::setVisibleButtons(std::initializer_list<Button> buttons)
{
    for (QToolButton *b : m_buttons)
        b->setVisible(false);
    for (Button b : buttons)
        m_buttons[static_cast<size_t>(b)]->setVisible(true);
    applyCaptions();
}

void THDBNavigator::setHints(const QStringList &hints)
{
    for (int i = 0; i < ButtonCount && i < hints.size(); ++i)
        m_buttons[static_cast<size_t>(i)]->setToolTip(hints.at(i));
}

void THDBNavigator::setButtonCaptions(const QStringList &captions)
{
    m_captions = captions;
    applyCaptions();
}

void THDBNavigator::applyCaptions()
{
    for (int i = 0; i < ButtonCount; ++i) {
        QToolButton *b = m_buttons[static_cast<size_t>(i)];
        const QString caption = m_captions.value(i);
        if (!caption.isEmpty() && !b->isHidden()) {
            b->setIcon(QIcon());
            b->setText(caption);
            b->setToolButtonStyle(Qt::ToolButtonTextOnly);
        } else {
            b->setText(QString());
            b->setIcon(glyph(style(), i));
            b->setToolButtonStyle(Qt::ToolButtonIconOnly);
        }
    }
}

void THDBNavigator::updateButtons()
{
    data::DataSet *ds = m_link.dataSet();
    const bool active = ds && ds->isActive();
    const bool editing = active && ds->isEditing();
    const bool rows = active && !ds->isEmpty();
    const bool writable = active && ds->canModify();
    const bool atFirst = !rows || ds->currentRow() <= 0;
    const bool atLast = !rows || (ds->isFullyFetched() && ds->currentRow() >= ds->fetchedCount() - 1);
    m_buttons[First]->setEnabled(active && !atFirst);
    m_buttons[Prior]->setEnabled(active && !atFirst);
    m_buttons[Next]->setEnabled(active && !atLast);
    m_buttons[Last]->setEnabled(active && !atLast);
    m_buttons[Insert]->setEnabled(writable);
    m_buttons[Delete]->setEnabled(writable && rows);
    m_buttons[Edit]->setEnabled(writable && rows && !editing);
    m_buttons[Post]->setEnabled(editing);
    m_buttons[Cancel]->setEnabled(editing);
    m_buttons[Refresh]->setEnabled(active);
}

bool THDBNavigator::click(int index)
{
    if (index < 0 || index >= ButtonCount)
        return false;
    bool proceed = true;
    if (BeforeClickAction)
        BeforeClickAction(*this, index, proceed);
    if (!proceed)
        return false;
    data::DataSet *ds = m_link.dataSet();
    if (!ds || !ds->isActive())
        return false;
    if (index == Delete && m_confirmDelete && m_link.userInterface() && !ds->isEmpty() &&
        m_link.userInterface()->ask(Translate(QStringLiteral("Kustutame kirje ?")), window()->windowTitle(),
                                    data::UserInterface::Buttons::YesNo) != data::UserInterface::Answer::Yes)
        return false;
    const bool ok = m_link.guard([ds, index] {
        switch (index) {
        case First: ds->first(); break;
        case Prior: ds->prior(); break;
        case Next: ds->next(); break;
        case Last: ds->last(); break;
        case Insert: ds->insert(); break;
        case Delete: ds->remove(); break;
        case Edit: ds->edit(); break;
        case Post: ds->post(); break;
        case Cancel: ds->cancel(); break;
        case Refresh: ds->refresh(); break;
        default: break;
        }
    });
    updateButtons();
    return ok;
}
