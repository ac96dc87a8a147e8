#include "platform/TextCase.h"

#include "platform/AsciiCase.h"

#include <algorithm>

#ifdef _WIN32
#include "platform/WideTextWindows.h"

#include <windows.h>
#endif

namespace lyricast {
namespace {

std::string InAsciiCase(std::string text, bool upperCase) {
    std::transform(text.begin(), text.end(), text.begin(), upperCase ? AsciiUpper : AsciiLower);
    return text;
}

} // namespace

std::string InTextCase(std::string text, bool upperCase) {
#ifdef _WIN32
    auto wide = WideFromUtf8(text);
    if (!wide)
        return InAsciiCase(std::move(text), upperCase);
    const auto length = static_cast<DWORD>(wide->size());
    if (upperCase)
        CharUpperBuffW(wide->data(), length);
    else
        CharLowerBuffW(wide->data(), length);
    return Utf8FromWide(*wide);
#else
    return InAsciiCase(std::move(text), upperCase);
#endif
}

} // namespace lyricast
