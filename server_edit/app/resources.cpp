#include "server_edit/app/resources.h"

#include <QtCore/qglobal.h>

// Q_INIT_RESOURCE names a function at global scope.
static void InitResourcesOnce() {
    Q_INIT_RESOURCE(server_edit);
}

namespace dlk::server_edit {

void InitServerEditResources() {
    static const bool done = (InitResourcesOnce(), true);
    (void)done;
}

}  // namespace dlk::server_edit
