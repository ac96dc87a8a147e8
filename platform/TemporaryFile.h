#pragma once

#include "platform/TemporaryRegistry.h"

#include <string>

namespace lyricast {

// A new, empty file for one output, opened for writing, in the folder the
// output goes to, named ".lyricast-XXXXXX.tmp" (six letters or digits): a
// name of fixed length, so that any output name that fits fits its
// temporary file too, and one that says what it is if it is ever found.
// While it exists an interrupted kar2mid removes it (RemoveTemporariesOnInterrupt).
class TemporaryFile {
public:
    // `folder` ends with its separator, or is empty for the current folder.
    // Raises FileError "Cannot create file `output`" with the system's reason.
    TemporaryFile(const std::string& folder, const std::string& output);
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    // Closes the file if still open and removes it unless it was renamed.
    ~TemporaryFile();

    int descriptor() const { return descriptor_; }
    const std::string& path() const { return path_; }

    // Closes now; false with errno set when the close fails (a late write error).
    bool Close();
    // Renames the closed file over `target`; false with errno set when it fails.
    bool RenameTo(const std::string& target);

private:
    std::string path_;
    int descriptor_ = -1;
    TemporaryRegistry::Entry* registered_ = nullptr; // where an interrupt finds it
    bool renamed_ = false;
};

// Makes SIGINT, SIGTERM and SIGHUP remove every temporary file still open
// before the process ends by the signal as it otherwise would.
void RemoveTemporariesOnInterrupt();

// Keeps those signals from this thread for the rest of its life, so that
// they reach the thread that started the work; a worker thread calls it first.
void HoldInterruptsInThisThread();

} // namespace lyricast
