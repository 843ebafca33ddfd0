#include "config/app/resources.h"

#include <QtCore/qglobal.h>

// Q_INIT_RESOURCE names a function at global scope.
static void InitResourcesOnce() {
    Q_INIT_RESOURCE(config);
}

namespace dlk::config {

void InitConfigResources() {
    static const bool done = (InitResourcesOnce(), true);
    (void)done;
}

}  // namespace dlk::config
