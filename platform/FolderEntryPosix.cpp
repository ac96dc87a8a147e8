#include "platform/FolderEntryPosix.h"

#include <fcntl.h>
#include <sys/stat.h>

namespace lyricast {

bool IsFolderAt(int folder, const dirent& entry) {
#ifdef _DIRENT_HAVE_D_TYPE
    if (entry.d_type == DT_DIR)
        return true;
    if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN)
        return false;
#endif
    struct stat info {};
    return ::fstatat(folder, entry.d_name, &info, 0) == 0 && S_ISDIR(info.st_mode);
}

} // namespace lyricast
