#include "network/DeviceChoice.h"

DeviceChoice SplitDeviceChoice(const CString& choice)
{
    const std::u16string& text = choice.str();
    const std::size_t first = text.find(u'-');
    if (first == std::u16string::npos)
        return {choice, {}, {}};
    const std::size_t last = text.rfind(u'-');
    if (last == first)
        return {CString(text.substr(0, first)), CString(text.substr(first + 1)), {}};
    return {CString(text.substr(0, first)), CString(text.substr(first + 1, last - first - 1)),
            CString(text.substr(last + 1))};
}
