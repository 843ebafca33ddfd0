#pragma once

#include <optional>

namespace dlk {

// SIGTERM, SIGINT and SIGHUP turned into bytes on a pipe, so an event loop
// can end the program tidily instead of the signal ending it on the spot.
// One per process; the handler does nothing but write the signal's number.
// Each handler serves once: asked a second time by the same signal, the
// program ends at once, so a shutdown that hangs can still be cut short.
class TerminationPipe {
public:
    // Installs the handlers; returns the pipe's non-blocking read end, -1
    // when the pipe could not be made (the signals then keep their defaults).
    static int Open();
    // The next signal that arrived, if any. Never waits.
    static std::optional<int> Take();
    // Restores the default handlers and closes the pipe.
    static void Close();
};

}  // namespace dlk
