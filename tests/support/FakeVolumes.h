#pragma once

#include "platform/Volumes.h"

#include <string>
#include <vector>

namespace lyricast::test {

// A volume table of the test's own: volumes whose mount points are folders of
// a temporary tree, or folders that do not exist (a drive without a disc).
class FakeVolumeTable : public VolumeTable {
public:
    std::vector<Volume> volumes;
    VolumeCase volumeCase;

    std::vector<Volume> List() const override { return volumes; }
    VolumeCase CaseOf(const std::string& /*folder*/) const override { return volumeCase; }
};

} // namespace lyricast::test
