// The page folders and pages that the build writes beside the programs.
#pragma once

#include <string>
#include <vector>

inline const std::vector<std::string> kPageFolders = {
    "ENWW", "ARWW", "CAWW", "CSWW", "DAWW", "DEWW", "ELWW", "ESWW", "FIWW", "FRWW", "HEWW", "HUWW", "IDWW", "ITWW",
    "JAWW", "KOWW", "NLWW", "NOWW", "PLWW", "PTWW", "RUWW", "SKWW", "SVWW", "THWW", "TRWW", "ZHCN", "ZHTW"};

inline const std::vector<std::string> kPages = {
    "Welcome", "SelectOp", "FolderName", "UserCredentials", "ScanOptions", "ConfirmAdd", "Progress",
    "Finish", "Error", "Cancel", "ConfirmDelete", "DeleteFinish", "NetworkDiscoveryProgress",
    "NetworkDiscoveryFinish"};

inline std::string PagePath(const std::string& folder, const std::string& page)
{
    return std::string(TARROW_PAGES_BIN_DIR) + "/" + folder + "/" + page + ".htm";
}
