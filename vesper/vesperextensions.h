// Calls beside the call table of vespersdk.h, for programs that want more than it tells: how a
// listed device was found, and the service's notices for the program's log.
#pragma once

#include "vespersdk.h"

// Bits of Vesper_getFoundBy.
#define VESPER_FOUND_BY_SNMP 1
#define VESPER_FOUND_BY_DNS_SD 2

#ifdef __cplusplus
extern "C" {
#endif

// How the device at index was found: VESPER_FOUND_BY_SNMP, VESPER_FOUND_BY_DNS_SD or both.
VESPER_API int Vesper_getFoundBy(int index, int* foundBy);

// The service calls notice (from the thread of a discovery call) with a line worth logging, each
// at most once per process: so far, that DNS-SD could not be used and the search goes on over
// SNMP alone. Null stops the notices.
typedef void (*Vesper_NoticeFunction)(const char* text);
VESPER_API void Vesper_setNoticeFunction(Vesper_NoticeFunction notice);

#ifdef __cplusplus
}
#endif
