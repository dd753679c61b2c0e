#pragma once

#include <QString>

namespace data {

// The main window's services as the data modules reach them.
class MainServices
{
public:
    virtual ~MainServices() = default;
    virtual void OpenClientCard(int clientCode, int page) = 0;
    virtual bool CheckRights(bool adminOnly) = 0;
    virtual void ActivateProject(int projectId) = 0;
    // The main window's caption, the title of several rule messages.
    virtual QString MainCaption() const = 0;
};

} // namespace data
