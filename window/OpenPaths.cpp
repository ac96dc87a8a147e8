#include "window/OpenPaths.h"

#include "platform/FolderListing.h"
#include "window/TMainForm.h"

namespace lyricast {

void OpenPaths(TMainForm& form, std::vector<std::string> paths) {
    if (paths.size() == 1 && IsFolder(paths.front()))
        return form.OpenFolder(paths.front());
    form.ListFiles(std::move(paths));
}

} // namespace lyricast
