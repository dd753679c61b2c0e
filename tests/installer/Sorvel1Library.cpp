#include "Sorvel1Library.h"

#include <dlfcn.h>

namespace {

template <class F> F bind(void *handle, const char *name, std::string &error)
{
    auto f = reinterpret_cast<F>(dlsym(handle, name));
    if (!f && error.empty())
        error = std::string("missing ") + name;
    return f;
}

} // namespace

Sorvel1Library::Sorvel1Library()
{
    m_handle = dlopen(SORVEL1_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    if (!m_handle) {
        m_error = dlerror();
        return;
    }
    m_initPath = bind<Sorvel1InitDLLPath>(m_handle, "InitDLLPath", m_error);
    m_setCallback = bind<Sorvel1SetMessageCallback>(m_handle, "SetMessageCallback", m_error);
    m_verifyClient = bind<Sorvel1VerifyClientInstalled>(m_handle, "VerifyClientInstalled", m_error);
    m_verifyServer = bind<Sorvel1VerifyServerInstalled>(m_handle, "VerifyServerInstalled", m_error);
    m_verifyServerLogin = bind<Sorvel1VerifyServerInstalledLogin>(m_handle, "VerifyServerInstalledLogin", m_error);
    m_restore = bind<Sorvel1RestoreDatabase>(m_handle, "RestoreDatabase", m_error);
    if (!m_error.empty()) {
        m_restore = nullptr;
        return;
    }
    m_setCallback(&Sorvel1Library::collect);
    m_initPath("");
}

Sorvel1Library::~Sorvel1Library()
{
    if (m_handle)
        dlclose(m_handle);
}

void Sorvel1Library::collect(void *owner, const char *caption, const char *text)
{
    static_cast<Sorvel1Library *>(owner)->messages.push_back({caption, text});
}

void Sorvel1Library::setClientDir(const std::string &dir)
{
    m_initPath(dir.c_str());
}

int Sorvel1Library::verifyClient()
{
    return m_verifyClient(this);
}

int Sorvel1Library::verifyServer(const std::string &server)
{
    return m_verifyServer(this, server.c_str());
}

int Sorvel1Library::verifyServerLogin(const std::string &server, const std::string &user, const std::string &password)
{
    return m_verifyServerLogin(this, server.c_str(), user.c_str(), password.c_str());
}

int Sorvel1Library::restore(const std::string &server, const std::string &user, const std::string &password,
                            const std::string &backupFile, const std::string &databaseFile, bool replace)
{
    return m_restore(this, server.c_str(), user.c_str(), password.c_str(), backupFile.c_str(), databaseFile.c_str(),
                     replace ? 1 : 0);
}
