#include "ui/qt/AppIcon.h"

// Resources of a static library are registered by hand, outside any namespace.
static void RegisterAppResources() {
    Q_INIT_RESOURCE(resources);
}

namespace lyricast {

QIcon AppIcon() {
    static const bool registered = [] {
        RegisterAppResources();
        return true;
    }();
    (void)registered;
    return QIcon(QStringLiteral(":/lyricast-convert.png"));
}

} // namespace lyricast
