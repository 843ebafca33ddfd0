#include "client/core/bridge/local_sides.h"

#include "client/core/bridge/dlk_pipe.h"
#include "client/core/bridge/serial_port.h"

namespace dlk::client {

std::unique_ptr<LocalSide> MakeLocalSide(std::uint8_t nullModemMode, const LocalSideNames& names) {
    if (nullModemMode == 1) return std::make_unique<serial_port>(names.PortLink);
    return std::make_unique<dlk_pipe>(names.PipeName);
}

}  // namespace dlk::client
