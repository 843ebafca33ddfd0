#pragma once

namespace dlk::config {

// Makes the compiled-in window descriptions available; the windows live in a
// static library, whose resources are linked in only when referenced.
void InitConfigResources();

}  // namespace dlk::config
