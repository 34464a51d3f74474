// The device's folder database: records kept in the order they were added. Not locked itself;
// DeviceState guards it.
#pragma once

#include "tools/simdevice/SimulatedDevice.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace simdevice {

class FolderDatabase {
public:
    void Add(Folder folder);
    // Removes every record whose name is one of names; returns how many were removed.
    std::size_t Delete(const std::vector<std::string>& names);
    std::size_t Count() const;
    // The first count records (all of them when there are fewer).
    std::vector<Folder> First(std::size_t count) const;
    // The first record of that name.
    std::optional<Folder> Find(const std::string& name) const;
    void Clear();

private:
    std::vector<Folder> folders_;
};

} // namespace simdevice
