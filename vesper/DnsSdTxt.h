// What a device's DNS-SD TXT record says about it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vesper {

// One "key=value" string of a TXT record, as it came (values are bytes and may hold anything).
using TxtItem = std::string;

// The model name: the value of "ty", else of "product" without the parentheses that IPP puts
// around it, else of "usb_MDL"; keys in any letter case, empty values skipped. The text ends at a
// zero byte, as SNMP texts do. Empty when the record names none.
std::string ModelFromTxt(const std::vector<TxtItem>& txt);

} // namespace vesper
