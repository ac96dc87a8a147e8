#include "window/FileScanning.h"

namespace lyricast {

std::shared_ptr<FileScanning> FileScanning::OfFolder() {
    return std::make_shared<FileScanning>();
}

std::shared_ptr<FileScanning> FileScanning::OfFiles(std::vector<std::string> files) {
    auto scan = std::make_shared<FileScanning>();
    scan->files_ = std::move(files);
    return scan;
}

} // namespace lyricast
