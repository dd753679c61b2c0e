#pragma once

#include <QString>

namespace data {

// Who works in this run of the program: filled by the log-in and kept until the program ends.
struct Session
{
    QString UserCode;
    QString UserName;
    int Level = 0;
    int AgentCode = 0;
    QString AgentName;
    int DefaultProjectId = 0;
    bool ProjectChoiceAllowed = false;
    int ActiveProjectId = 0;
    QString ActiveProjectName;
    bool IsDbAdmin = false;
    bool LoggedIn = false;

    // Preferences read at log-in.
    bool NewContactOpenClient = false;
    bool DefaultAgentFilter = true;

    void clear() { *this = Session(); }
};

// The captions of the access levels, 0 to 5.
QString LevelCaption(int level);

} // namespace data
