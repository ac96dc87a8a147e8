#pragma once

#include <QIcon>

namespace lyricast {

// The program's own icon, for the title bar and the About box.
QIcon AppIcon();

} // namespace lyricast
