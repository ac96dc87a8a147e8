#pragma once

#include "platform/PathRules.h"

#include <functional>
#include <string>

namespace lyricast {

// A long path made to fit by leaving out folders in its middle, so that rows
// in deep folders can still be told apart: "/home/…/deeper/song.kar". The
// first folder and as many of the last as fit stay; the file name always
// does. `fits` says whether a text fits (a view measures it in pixels);
// `ellipsis` is what stands for the folders left out, in the view's encoding.
std::string ElideMiddle(const std::string& path, const PathRules& rules,
                        const std::string& ellipsis,
                        const std::function<bool(const std::string&)>& fits);

} // namespace lyricast
