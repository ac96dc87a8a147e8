#pragma once

#include "platform/DisplayText.h"

#include <string_view>

namespace lyricast {

// The code page the bytes were most likely written in, never Auto: UTF-8
// when they are valid UTF-8, else the page whose decoding reads most like
// text (runs of letters of one script, words of one letter case, few
// symbols, controls or bytes that decode to nothing).
CodePage GuessCodePage(std::string_view bytes);

} // namespace lyricast
