#pragma once

// Installation helper library: lets an installer check that the Firebird client library and a server
// are present and create the working database from the shipped backup. The installer loads
// libSorvel1.so with dlopen and looks these names up; strings are zero-terminated 8-bit texts.
//
// The first argument of every check, `owner`, is handed unchanged to the message callback, so an
// installer can route the messages to the window (or log) that called.

#ifdef __cplusplus
extern "C" {
#endif

// Receives the messages the library would otherwise print: caption "Error" or "Database restore" and
// the text, whose lines are separated by "\r\n".
typedef void (*Sorvel1MessageCallback)(void *owner, const char *caption, const char *text);

// Directory of libfbclient.so.2; empty (the default) leaves the search to the system.
void InitDLLPath(const char *path);
// A null callback restores the default, which prints to standard error.
void SetMessageCallback(Sorvel1MessageCallback callback);

// 1 the client library loads and provides the calls of an attachment, 0 it cannot be loaded,
// -1 it loads but lacks one of them.
int VerifyClientInstalled(void *owner);
// As VerifyServerInstalledLogin with the installer's default administrator account.
int VerifyServerInstalled(void *owner, const char *server);
// 2 the server's service manager accepted the log-in, 1 the server refused it, 0 the server could not
// be reached or another error occurred (shown). An empty server name means the local service manager.
int VerifyServerInstalledLogin(void *owner, const char *server, const char *user, const char *password);
// 1 the database was restored, 0 the restore failed (the error is shown), -1 the restore could not be
// started for a lack of rights. A nonzero `replace` overwrites an existing database file.
int RestoreDatabase(void *owner, const char *server, const char *user, const char *password, const char *backupFile,
                    const char *databaseFile, unsigned char replace);

typedef void (*Sorvel1InitDLLPath)(const char *);
typedef void (*Sorvel1SetMessageCallback)(Sorvel1MessageCallback);
typedef int (*Sorvel1VerifyClientInstalled)(void *);
typedef int (*Sorvel1VerifyServerInstalled)(void *, const char *);
typedef int (*Sorvel1VerifyServerInstalledLogin)(void *, const char *, const char *, const char *);
typedef int (*Sorvel1RestoreDatabase)(void *, const char *, const char *, const char *, const char *, const char *,
                                      unsigned char);

#ifdef __cplusplus
}
#endif
