#pragma once

#include "platform/PathRules.h"

#include <functional>
#include <string>

namespace lyricast {

// A text of the status bar: a label, and a path after it ("Converting : "
// and the file) that a view may shorten in its middle to make the text fit.
struct StatusText {
    std::string label;
    std::string path = {};

    std::string Whole() const { return label + path; }
};

// The text as it fits where `fits` says (a view measures it in pixels): the
// label whole, the path with folders left out in its middle as ElideMiddle
// leaves them out.
std::string FittedStatus(const StatusText& status, const PathRules& rules,
                         const std::string& ellipsis,
                         const std::function<bool(const std::string&)>& fits);

} // namespace lyricast
