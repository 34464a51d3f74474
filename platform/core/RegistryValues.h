// System settings as registry values: keys under a hive, values by name.
//
// On Linux the store is a folder tree on drive C: each key is a folder
// C:\registry\<hive>\<key path>, each value a file in it holding the value. A 32-bit value is
// written in decimal. The store starts empty, so reading any system setting fails as for a key
// that does not exist; tests and administrators write the values they need.
#pragma once

#include "CString.h"

#include <cstdint>

namespace platform {

inline constexpr const char16_t* kLocalMachine = u"HKEY_LOCAL_MACHINE";

// Result codes are Windows error numbers: 0 success; 2 the key or value does not exist;
// 13 the value is not a 32-bit number; 5 the store cannot be written.
class IRegistryValues {
public:
    virtual ~IRegistryValues() = default;
    // Whether the key can be opened for reading.
    virtual long OpenKey(const CString& hive, const CString& keyPath) = 0;
    virtual long QueryDword(const CString& hive, const CString& keyPath, const CString& valueName,
                            std::uint32_t& value) = 0;
    // Creates the key with its parents when missing.
    virtual long SetDword(const CString& hive, const CString& keyPath, const CString& valueName,
                          std::uint32_t value) = 0;

    static constexpr const char* kServiceName = "RegistryValues";
    static IRegistryValues& Default();
};

} // namespace platform
