#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "client/core/local_side.h"

namespace dlk::client {

// Where the local program finds its end of the line. Tests and benchmarks
// give names of their own so that several can run at once.
struct LocalSideNames {
    std::string PortLink = "CNCB0";     // symbolic link to the pseudo-terminal, in the current folder
    std::string PipeName = "dlk_pipe";  // local socket name, in the user's runtime folder
};

// The side NullModemMode chooses: 1 the pseudo-terminal, 0 the local socket.
std::unique_ptr<LocalSide> MakeLocalSide(std::uint8_t nullModemMode, const LocalSideNames& names = {});

}  // namespace dlk::client
