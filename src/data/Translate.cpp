#include "Translate.h"

#include <map>

namespace {

struct Language
{
    QHash<QString, QString> messages;
    std::map<int, std::function<void()>> listeners;
    int nextId = 1;
};

Language &language()
{
    static Language l;
    return l;
}

} // namespace

QString Translate(const QString &text)
{
    const Language &l = language();
    if (l.messages.isEmpty())
        return text;
    // Language files keep a line break as "~~" in their keys and values.
    QString key = text;
    key.replace(QStringLiteral("\r\n"), QStringLiteral("~~"));
    const auto it = l.messages.constFind(key);
    if (it == l.messages.constEnd())
        return text;
    QString translated = *it;
    translated.replace(QStringLiteral("~~"), QStringLiteral("\r\n"));
    return translated;
}

void SetMessageTranslations(const QHash<QString, QString> &messages)
{
    Language &l = language();
    l.messages = messages;
    // A listener may remove itself or others while being told: tell a copy.
    const auto listeners = l.listeners;
    for (const auto &[id, listener] : listeners)
        if (l.listeners.count(id))
            listener();
}

int AddLanguageListener(std::function<void()> listener)
{
    Language &l = language();
    const int id = l.nextId++;
    l.listeners[id] = std::move(listener);
    return id;
}

void RemoveLanguageListener(int id)
{
    language().listeners.erase(id);
}
