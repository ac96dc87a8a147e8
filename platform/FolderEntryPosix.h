#pragma once

#include <dirent.h>

namespace lyricast {

// Whether an entry read from the open folder `folder` is a folder, a link to
// one included; the entry's own type answers when the system gives it.
bool IsFolderAt(int folder, const dirent& entry);

} // namespace lyricast
