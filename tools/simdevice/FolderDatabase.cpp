#include "tools/simdevice/FolderDatabase.h"

#include <algorithm>

namespace simdevice {

void FolderDatabase::Add(Folder folder)
{
    folders_.push_back(std::move(folder));
}

std::size_t FolderDatabase::Delete(const std::vector<std::string>& names)
{
    return std::erase_if(folders_, [&names](const Folder& folder) {
        return std::find(names.begin(), names.end(), folder.name) != names.end();
    });
}

std::size_t FolderDatabase::Count() const
{
    return folders_.size();
}

std::vector<Folder> FolderDatabase::First(std::size_t count) const
{
    const auto end = folders_.begin() + static_cast<std::ptrdiff_t>(std::min(count, folders_.size()));
    return std::vector<Folder>(folders_.begin(), end);
}

std::optional<Folder> FolderDatabase::Find(const std::string& name) const
{
    const auto found = std::find_if(folders_.begin(), folders_.end(),
                                    [&name](const Folder& folder) { return folder.name == name; });
    if (found == folders_.end())
        return std::nullopt;
    return *found;
}

void FolderDatabase::Clear()
{
    folders_.clear();
}

} // namespace simdevice
