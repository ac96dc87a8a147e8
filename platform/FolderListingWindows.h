#pragma once

#include "platform/FolderListing.h"

namespace lyricast {

// As ListFolder; when the folder cannot be listed, `reason` holds the
// system's word for why.
std::optional<std::vector<FolderEntry>> ListFolder(const std::string& folder, std::string& reason);

} // namespace lyricast
