#include "platform/FileError.h"

#include <system_error>

namespace lyricast {

std::string FileError::ReasonOf(int error) {
    return std::generic_category().message(error);
}

} // namespace lyricast
