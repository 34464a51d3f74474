#include "DnsSdTxt.h"

#include <algorithm>
#include <cctype>

namespace vesper {

namespace {

bool SameKey(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

// The value of the first item with this key that has a non-empty one.
std::string_view Value(const std::vector<TxtItem>& txt, std::string_view key)
{
    for (const TxtItem& item : txt) {
        const std::string_view text(item);
        const std::size_t equals = text.find('=');
        if (equals == std::string_view::npos || !SameKey(text.substr(0, equals), key))
            continue;
        std::string_view value = text.substr(equals + 1);
        value = value.substr(0, value.find('\0'));
        if (!value.empty())
            return value;
    }
    return {};
}

} // namespace

std::string ModelFromTxt(const std::vector<TxtItem>& txt)
{
    if (std::string_view model = Value(txt, "ty"); !model.empty())
        return std::string(model);
    if (std::string_view product = Value(txt, "product"); !product.empty()) {
        if (product.size() >= 2 && product.front() == '(' && product.back() == ')')
            product = product.substr(1, product.size() - 2);
        if (!product.empty())
            return std::string(product);
    }
    return std::string(Value(txt, "usb_MDL"));
}

} // namespace vesper
