// sorvel1: the installation helper library for shell installers. Loads libSorvel1.so the way an
// installer does (dlopen), makes one call and exits with its result.

#include <climits>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <dlfcn.h>
#include <unistd.h>

#include "Sorvel1.h"

namespace {

constexpr int kExitUsage = 64;
constexpr int kExitNoLibrary = 69;
constexpr char kLibraryName[] = "libSorvel1.so";

void usage(std::FILE *out)
{
    std::fputs("usage:\n"
               "  sorvel1 [--client-dir DIR] verify-client\n"
               "  sorvel1 [--client-dir DIR] verify-server [SERVER] [USER PASSWORD]\n"
               "  sorvel1 [--client-dir DIR] restore SERVER USER PASSWORD BACKUP DATABASE [--replace]\n"
               "The exit code is the library's result: verify-client 1 usable, 0 missing, 255 incomplete;\n"
               "verify-server 2 log-in accepted, 1 refused, 0 unreachable; restore 1 done, 0 failed,\n"
               "255 not permitted. 64: wrong arguments, 69: libSorvel1.so not found.\n"
               "An empty SERVER is the local server; DIR holds libfbclient.so.2.\n",
               out);
}

std::string programDir()
{
    char path[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0)
        return {};
    path[n] = '\0';
    std::string dir(path);
    return dir.substr(0, dir.rfind('/') + 1);
}

// Beside the program in the build tree, in the library folder of the installed tree, or wherever
// the system finds it.
void *loadLibrary(std::string &error)
{
    const std::string dir = programDir();
    std::vector<std::string> candidates;
    if (!dir.empty()) {
        candidates.push_back(dir + kLibraryName);
        candidates.push_back(dir + SORVEL1_LIBRARY_FROM_PROGRAM "/" + kLibraryName);
    }
    candidates.push_back(kLibraryName);
    for (const std::string &name : candidates) {
        if (void *library = dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL))
            return library;
        const char *e = dlerror();
        error = e ? e : name;
    }
    return nullptr;
}

template <class F> F bind(void *library, const char *name)
{
    return reinterpret_cast<F>(dlsym(library, name));
}

int run(void *library, const std::vector<std::string> &args, const std::string &clientDir)
{
    const auto initPath = bind<Sorvel1InitDLLPath>(library, "InitDLLPath");
    if (!initPath)
        return kExitNoLibrary;
    initPath(clientDir.c_str());
    const std::string &command = args[0];
    const std::size_t n = args.size() - 1;
    if (command == "verify-client" && n == 0) {
        const auto verify = bind<Sorvel1VerifyClientInstalled>(library, "VerifyClientInstalled");
        return verify ? verify(nullptr) : kExitNoLibrary;
    }
    if (command == "verify-server" && n <= 3) {
        const std::string server = n == 1 || n == 3 ? args[1] : std::string();
        if (n <= 1) {
            const auto verify = bind<Sorvel1VerifyServerInstalled>(library, "VerifyServerInstalled");
            return verify ? verify(nullptr, server.c_str()) : kExitNoLibrary;
        }
        const std::string &user = args[n - 1], &password = args[n];
        const auto verify = bind<Sorvel1VerifyServerInstalledLogin>(library, "VerifyServerInstalledLogin");
        return verify ? verify(nullptr, server.c_str(), user.c_str(), password.c_str()) : kExitNoLibrary;
    }
    if (command == "restore" && (n == 5 || (n == 6 && args[6] == "--replace"))) {
        const auto restore = bind<Sorvel1RestoreDatabase>(library, "RestoreDatabase");
        return restore ? restore(nullptr, args[1].c_str(), args[2].c_str(), args[3].c_str(), args[4].c_str(),
                                 args[5].c_str(), n == 6 ? 1 : 0)
                       : kExitNoLibrary;
    }
    usage(stderr);
    return kExitUsage;
}

} // namespace

int main(int argc, char *argv[])
{
    std::vector<std::string> args;
    std::string clientDir;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            usage(stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--client-dir") == 0 && args.empty()) {
            if (++i == argc) {
                usage(stderr);
                return kExitUsage;
            }
            clientDir = argv[i];
            continue;
        }
        args.emplace_back(argv[i]);
    }
    if (args.empty()) {
        usage(stderr);
        return kExitUsage;
    }
    std::string error;
    void *library = loadLibrary(error);
    if (!library) {
        std::fprintf(stderr, "sorvel1: cannot load %s: %s\n", kLibraryName, error.c_str());
        return kExitNoLibrary;
    }
    const int result = run(library, args, clientDir);
    dlclose(library);
    // An exit status is one byte: -1 arrives as 255.
    return result & 0xFF;
}
