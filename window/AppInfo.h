#pragma once

#include "Version.h"

#include <string>

namespace lyricast {

inline const std::string kApplicationTitle = "Lyricast Convert";
inline const std::string kVersionText = std::string("Vers. ") + kLyricastVersion;
inline const std::string kMakerName = "Lyricast Team";

// The main window's caption: "Lyricast Convert Vers. 2.1 By Lyricast Team".
inline std::string MainWindowCaption() {
    return kApplicationTitle + " " + kVersionText + " By " + kMakerName;
}

} // namespace lyricast
