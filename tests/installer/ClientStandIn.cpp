// A stand-in for libfbclient.so.2 that provides only the first entry points of the client library,
// up to and including the one named by STANDIN_LAST; enough for the installer library to load it.

extern "C" {

#define STANDIN_ENTRY(name)                                                                                            \
    __attribute__((visibility("default"))) long name()                                                                 \
    {                                                                                                                  \
        return 0;                                                                                                      \
    }

STANDIN_ENTRY(isc_attach_database)
STANDIN_ENTRY(isc_detach_database)
#if STANDIN_LAST >= 7
STANDIN_ENTRY(isc_drop_database)
STANDIN_ENTRY(isc_database_info)
STANDIN_ENTRY(isc_start_transaction)
STANDIN_ENTRY(isc_commit_transaction)
STANDIN_ENTRY(isc_commit_retaining)
#endif
}
