#pragma once

#include <functional>

#include <QHash>
#include <QString>

// The interface language of every text the program shows. Composed messages go through it piece by
// piece, so that each piece is found in a language file on its own. With no language loaded the text
// comes back as it was written.
QString Translate(const QString &text);

// The message translations of the loaded language (untranslated text -> its translation); an empty
// table returns to the program's own texts. Everyone listening is told afterwards.
void SetMessageTranslations(const QHash<QString, QString> &messages);

// Texts kept translated (captions, the words of yes/no columns) are renewed by their holders when
// the language changes. The returned id removes the listener again.
int AddLanguageListener(std::function<void()> listener);
void RemoveLanguageListener(int id);
