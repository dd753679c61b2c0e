#include "ScriptedUserInterface.h"

#include <gtest/gtest.h>

#include "data/DataSet.h"
#include "data/FilterBuilder.h"

namespace {

const char *kindName(int k)
{
    static const char *names[] = {"message",          "question",    "input box",  "selection list",
                                  "selection dialog", "row choice", "save dialog", "open dialog"};
    return names[k];
}

} // namespace

ScriptedUserInterface::~ScriptedUserInterface()
{
    for (const Step &s : m_expected)
        ADD_FAILURE() << "expected " << kindName(static_cast<int>(s.kind)) << " never came: " << s.caption.toStdString()
                      << ": " << s.text.toStdString();
}

void ScriptedUserInterface::expectMessage(const QString &text, const QString &caption)
{
    Step s;
    s.kind = Kind::Message;
    s.text = text;
    s.caption = caption;
    m_expected.push_back(s);
}

void ScriptedUserInterface::expectMessageText(const QString &caption, QString *text)
{
    Step s;
    s.kind = Kind::Message;
    s.caption = caption;
    s.captured = text;
    m_expected.push_back(s);
}

void ScriptedUserInterface::expectQuestion(const QString &text, const QString &caption, Answer answer)
{
    Step s;
    s.kind = Kind::Question;
    s.text = text;
    s.caption = caption;
    s.answer = answer;
    m_expected.push_back(s);
}

void ScriptedUserInterface::expectInput(const QString &caption, const QString &prompt, bool ok, const QString &value)
{
    Step s;
    s.kind = Kind::Input;
    s.text = prompt;
    s.caption = caption;
    s.ok = ok;
    s.value = value;
    m_expected.push_back(s);
}

void ScriptedUserInterface::expectSelection(const QString &caption, bool ok, int index, QStringList *shownItems)
{
    Step s;
    s.kind = Kind::Selection;
    s.caption = caption;
    s.ok = ok;
    s.index = index;
    s.items = shownItems;
    m_expected.push_back(s);
}

ScriptedUserInterface::Step ScriptedUserInterface::take(Kind kind, const QString &text, const QString &caption)
{
    m_shown << caption + QStringLiteral(": ") + text;
    if (m_expected.empty()) {
        ADD_FAILURE() << "unexpected " << kindName(static_cast<int>(kind)) << ": " << caption.toStdString() << ": "
                      << text.toStdString();
        Step none;
        none.kind = kind;
        none.answer = Answer::Cancel;
        none.ok = false;
        return none;
    }
    Step s = m_expected.front();
    m_expected.pop_front();
    EXPECT_EQ(static_cast<int>(s.kind), static_cast<int>(kind))
        << "expected a " << kindName(static_cast<int>(s.kind)) << ", got a " << kindName(static_cast<int>(kind)) << ": "
        << text.toStdString();
    if (s.captured) {
        *s.captured = text;
    } else if (kind != Kind::Selection && kind != Kind::RecordSelection && kind != Kind::SaveFile &&
               kind != Kind::OpenFile) {
        EXPECT_EQ(s.text.toStdString(), text.toStdString());
    }
    EXPECT_EQ(s.caption.toStdString(), caption.toStdString());
    return s;
}

void ScriptedUserInterface::showMessage(const QString &text, const QString &caption)
{
    take(Kind::Message, text, caption);
}

ScriptedUserInterface::Answer ScriptedUserInterface::ask(const QString &text, const QString &caption, Buttons, Icon)
{
    return take(Kind::Question, text, caption).answer;
}

bool ScriptedUserInterface::inputBox(const QString &caption, const QString &prompt, QString &value)
{
    const Step s = take(Kind::Input, prompt, caption);
    if (s.ok)
        value = s.value;
    return s.ok;
}

bool ScriptedUserInterface::selectFromList(const QString &caption, const QStringList &items, int &index)
{
    const Step s = take(Kind::Selection, QString(), caption);
    if (s.items)
        *s.items = items;
    if (s.ok)
        index = s.index;
    return s.ok;
}

void ScriptedUserInterface::expectRecordSelection(const QString &caption, bool ok, int index, QStringList *shownRows,
                                                  const QString &shownField)
{
    Step s;
    s.kind = Kind::RecordSelection;
    s.caption = caption;
    s.ok = ok;
    s.index = index;
    s.items = shownRows;
    s.value = shownField;
    m_expected.push_back(s);
}

bool ScriptedUserInterface::selectRecord(const data::RecordChoice &choice, QString &key)
{
    m_lastChoice = choice;
    m_lastChoice.dataSet = nullptr;
    const Step s = take(Kind::RecordSelection, QString(), choice.caption);
    data::DataSet &list = *choice.dataSet;
    // As the dialog does: both conditions while showing, only the base one after closing.
    if (choice.filterMode) {
        QString condition = choice.baseCondition;
        if (!choice.extraCondition.isEmpty())
            condition += (condition.isEmpty() ? QString() : QStringLiteral(" AND ")) + choice.extraCondition;
        data::ApplyWhere(list, condition);
    }
    if (!list.isActive())
        list.open();
    list.fetchAll();
    const int keyIndex = list.field(choice.keyField).index();
    const int shownIndex = list.field(s.value.isEmpty() ? choice.keyField : s.value).index();
    if (s.items) {
        s.items->clear();
        for (int r = 0; r < list.fetchedCount(); ++r)
            *s.items << list.valueAt(r, shownIndex).toString();
    }
    bool taken = false;
    if (s.ok && s.index >= 0 && s.index < list.fetchedCount() && !list.valueAt(s.index, keyIndex).toString().isEmpty()) {
        list.moveTo(s.index);
        key = list.field(choice.keyField).text();
        taken = true;
    } else if (s.ok) {
        ADD_FAILURE() << "the selection dialog has no row " << s.index << " to take";
    }
    if (choice.filterMode)
        data::ApplyWhere(list, choice.baseCondition);
    if (taken)
        list.locate(choice.keyField, key);
    return taken;
}

void ScriptedUserInterface::expectRowChoice(const QString &caption, const QString &text, Answer answer, int index,
                                            QStringList *shownRows, const QString &shownField)
{
    Step s;
    s.kind = Kind::RowChoice;
    s.caption = caption;
    s.text = text;
    s.answer = answer;
    s.index = index;
    s.items = shownRows;
    s.value = shownField;
    m_expected.push_back(s);
}

data::UserInterface::Answer ScriptedUserInterface::chooseRow(const QString &caption, const QString &text,
                                                             data::DataSet &rows)
{
    const Step s = take(Kind::RowChoice, text, caption);
    if (!rows.isActive())
        rows.open();
    rows.fetchAll();
    if (s.items) {
        s.items->clear();
        const int shown = rows.field(s.value).index();
        for (int r = 0; r < rows.fetchedCount(); ++r)
            *s.items << rows.valueAt(r, shown).toString();
    }
    if (s.answer == Answer::Yes) {
        if (s.index < 0 || s.index >= rows.fetchedCount()) {
            ADD_FAILURE() << "the row choice has no row " << s.index << " to take";
            return Answer::Cancel;
        }
        rows.moveTo(s.index);
    }
    return s.answer;
}

void ScriptedUserInterface::expectSaveFileName(const QString &caption, bool ok, const QString &fileName,
                                               QString *proposed)
{
    Step s;
    s.kind = Kind::SaveFile;
    s.caption = caption;
    s.ok = ok;
    s.value = fileName;
    s.captured = proposed;
    m_expected.push_back(s);
}

bool ScriptedUserInterface::askSaveFileName(const QString &caption, const QString &, const QString &,
                                            QString &fileName)
{
    const Step s = take(Kind::SaveFile, fileName, caption);
    if (s.ok)
        fileName = s.value;
    return s.ok;
}

void ScriptedUserInterface::expectOpenFileName(const QString &caption, bool ok, const QString &fileName,
                                               QString *startPath)
{
    Step s;
    s.kind = Kind::OpenFile;
    s.caption = caption;
    s.ok = ok;
    s.value = fileName;
    s.captured = startPath;
    m_expected.push_back(s);
}

QString ScriptedUserInterface::askOpenFileName(const QString &caption, const QString &startPath)
{
    const Step s = take(Kind::OpenFile, startPath, caption);
    return s.ok ? s.value : QString();
}
