// The discovery service: finds network devices over SNMP (v2c and v1) and reads their model name,
// host name and MAC address.
//
// Every function returns VESPER_SUCCESS (0) or one of the error numbers below. Texts are narrow
// (UTF-8) and zero-terminated. A discovery call runs synchronously and replaces the list of found
// devices; the list is addressed by index 0 to count - 1 and stays valid until the next discovery
// call or the last Vesper_shutdown. Where the service looks and how long it waits is set through
// environment variables (README.md in this folder).
#pragma once

#define VESPER_API __attribute__((visibility("default")))

enum Vesper_Error {
    VESPER_SUCCESS = 0,
    VESPER_NOT_STARTED = 1,             // no Vesper_startup is open
    VESPER_INVALID_ARGUMENT = 2,        // a null pointer or a negative size
    VESPER_GENERAL_ERROR = 3,           // the network could not be used
    VESPER_INVALID_FILTER = 8,          // the address text, the search arguments or the scope are invalid
    VESPER_HOST_NOT_FOUND = 12,         // the host name does not resolve to an IPv4 address
    VESPER_INDEX_OUT_OF_RANGE = 16,     // no device with that index in the list
    VESPER_BUFFER_TOO_SMALL = 17,       // the length out-argument holds the needed size
    VESPER_DISCOVERY_IN_PROGRESS = 18,  // another thread is searching
    VESPER_CANCELLED = 19,              // Vesper_shutdown stopped the search; the list is empty
};

#ifdef __cplusplus
extern "C" {
#endif

// Start-up and shutdown come in pairs and nest. A shutdown that finds a search running on another
// thread stops it and returns once the search has let go of the network; the last shutdown
// also drops the device list.
VESPER_API int Vesper_startup(int flags);
VESPER_API int Vesper_shutdown(int flags);

// Validity of a text: 0 when valid, VESPER_INVALID_FILTER otherwise (VESPER_INVALID_ARGUMENT for null).
// IPv4 dotted quad; host name of RFC 1123 labels that may also hold "_"; MAC address as six
// hexadecimal pairs separated by ":" or "-", or as twelve hexadecimal digits.
VESPER_API int Vesper_isValidIPAddress(const char* address);
VESPER_API int Vesper_isValidIPHostname(const char* hostName);
VESPER_API int Vesper_isValidMACAddress(const char* macAddress);

// Asks one address (a host name resolved to IPv4 first). 0 means the query ran: the list then
// holds the device when it answered and is empty when it did not. The trailing integers are
// reserved (pass 0); community may be null or empty for the configured community.
VESPER_API int Vesper_discoverIP(const char* address, int reserved1, int reserved2, int reserved3);
VESPER_API int Vesper_discoverHostName(const char* hostName, const char* community, int reserved1,
                                       int reserved2);
// Searches the scope for the device that reports this MAC address; on a real network the kernel's
// neighbour table is consulted as well.
VESPER_API int Vesper_discoverMAC(const char* macAddress, const char* community, int reserved1,
                                  int reserved2);

// Searches the whole scope. The seven filter words are kept for callers of the interface and have
// no effect beyond their check (a negative word is VESPER_INVALID_FILTER). Devices are listed in
// ascending address order.
VESPER_API int Vesper_startDiscoveringDevices(int filter1, int filter2, int filter3, int filter4,
                                              int filter5, int filter6, int filter7);

VESPER_API int Vesper_getNumDiscoveredDevices(int* count);

// Text queries. *length receives the size the text needs, its terminating zero included. When
// buffer is null or bufferSize is below that size the result is VESPER_BUFFER_TOO_SMALL (a
// non-null buffer of at least one byte then holds an empty text); otherwise the text and its
// zero are copied.
VESPER_API int Vesper_getModelName(int index, char* buffer, int bufferSize, int* length);
VESPER_API int Vesper_getIPAddress(int index, char* buffer, int bufferSize, int* length);
VESPER_API int Vesper_getMACAddress(int index, char* buffer, int bufferSize, int* length);
VESPER_API int Vesper_getHostName(int index, char* buffer, int bufferSize, int* length);

#ifdef __cplusplus
}
#endif
