#include "Resources.h"

#include <QtGlobal>

// Outside the namespace, as the resource system wants it.
static void InitTessaroResources() { Q_INIT_RESOURCE(tessaro); }

namespace tessaro {

void LoadResources() {
    static const bool loaded = (InitTessaroResources(), true);
    (void)loaded;
}

}  // namespace tessaro
