// The usershares of every user, read from Samba's usershare folder itself: one file a share,
// readable one by one even by a user who cannot see another user's shared folder (where
// `net usershare info` fails as a whole). The listing is kept while the folder does not change.
#pragma once

#include "ShareListing.h"

#include <string>
#include <vector>

namespace platform {

struct UsershareListing {
    int error = 0;          // 0; 5 when the folder cannot be read; 50 when usershares are off
    std::string refusal;    // why, in plain words, when error is not 0
    std::vector<ShareSection> shares; // a file that cannot be read gives its name alone
};

// The listing of the folder that the configuration names ("usershare path"), usershares being
// switched off when "usershare max shares" is 0.
UsershareListing CurrentUsershares();

} // namespace platform
