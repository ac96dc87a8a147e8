#include "platform/TextCase.h"

#include "platform/AsciiCase.h"

#include <algorithm>

#ifdef _WIN32
#include <windows.h>
#endif

namespace lyricast {

std::string InTextCase(std::string text, bool upperCase) {
#ifdef _WIN32
    const auto length = static_cast<DWORD>(text.size());
    if (upperCase)
        CharUpperBuffA(text.data(), length);
    else
        CharLowerBuffA(text.data(), length);
#else
    std::transform(text.begin(), text.end(), text.begin(), upperCase ? AsciiUpper : AsciiLower);
#endif
    return text;
}

} // namespace lyricast
