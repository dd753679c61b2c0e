#pragma once

#include <QList>
#include <QPair>
#include <QStringList>

#include "data/SessionLogIn.h"

// Answers the log-in dialog from a list; each answer is (name, password), an empty name cancels.
struct ScriptedPrompt : CredentialsPrompt
{
    QList<QPair<QString, QString>> answers;
    QStringList captions;
    QStringList prefilled;
    bool askCredentials(const QString &caption, QString &user, QString &password) override
    {
        captions << caption;
        prefilled << user;
        if (answers.isEmpty() || answers.first().first.isEmpty())
            return false;
        user = answers.first().first;
        password = answers.first().second;
        answers.removeFirst();
        return true;
    }
};
