// The finish page's choice as the page's script writes it into SelectedDevice: "DeviceNotInList",
// or the device's IP address, host name and MAC address joined by "-".
#pragma once

#include "platform/core/CString.h"

inline constexpr const char16_t* kDeviceNotInList = u"DeviceNotInList";

struct DeviceChoice {
    CString ipAddress;
    CString hostName;
    CString macAddress;
};

// Neither an IPv4 address nor a MAC address as the discovery service writes it (with ":") holds a
// "-", but host names often do ("kelvane-5"): the IP address is the text before the first "-",
// the MAC address the text after the last one, the host name all between. With a single "-" the
// rest is the host name; with none the whole text is the IP address.
DeviceChoice SplitDeviceChoice(const CString& choice);
