#include "window/StatusText.h"

#include "window/ElidePath.h"

namespace lyricast {

std::string FittedStatus(const StatusText& status, const PathRules& rules,
                         const std::string& ellipsis,
                         const std::function<bool(const std::string&)>& fits) {
    if (status.path.empty())
        return status.label;
    return status.label + ElideMiddle(status.path, rules, ellipsis, [&](const std::string& path) {
               return fits(status.label + path);
           });
}

} // namespace lyricast
