#pragma once

#include <QIcon>

#include "client/core/link/link_observer.h"

namespace dlk::client {

// The program's two icons, drawn here rather than shipped as files:
// MAINICON (idle or disconnected, grey) and COLOR (linked, in colour).
QIcon ProgramIcon(TrayIcon which);
const char* IconName(TrayIcon which);

}  // namespace dlk::client
