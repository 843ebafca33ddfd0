#pragma once

#include <QImage>
#include <vector>

namespace dlk::server_edit {

// The five pictures of the main menu, drawn rather than stored: 0 add,
// 1 delete, 2 change, 3 exit, 4 more.
std::vector<QImage> MenuImages();

}  // namespace dlk::server_edit
