#pragma once

namespace dlk::server_edit {

// Makes the compiled-in window descriptions available; the windows live in a
// static library, whose resources are linked in only when referenced.
void InitServerEditResources();

}  // namespace dlk::server_edit
