#pragma once

#include "platform/FileIdentity.h"

#include <map>
#include <optional>
#include <string>

namespace lyricast {

// The outputs one kar2mid run has written, so that no later source of the
// same run replaces one. An output is the same one when its file is (the
// identity catches other spellings: links, a folder named twice) and it sits
// in the same folder under the same name, letter case aside. The file's
// identity alone is not enough: another program may replace the output, and
// the system gives the freed identity to some new file.
class WrittenOutputs {
public:
    void Add(const std::string& output);
    bool Contains(const std::string& output) const;

private:
    struct Place {
        std::optional<FileIdentity> folder;
        std::string name;
        bool operator==(const Place&) const;
    };
    static Place PlaceOf(const std::string& output);

    std::map<FileIdentity, Place> written_;
};

} // namespace lyricast
