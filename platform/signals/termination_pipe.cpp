#include "platform/signals/termination_pipe.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>

namespace dlk {
namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

// Read and written by the handler: plain ints, set before it is installed.
volatile sig_atomic_t writeEnd = -1;
int readEnd = -1;

void OnSignal(int number) {
    const int saved = errno;
    const unsigned char byte = static_cast<unsigned char>(number);
    // A full pipe already holds a request to end; one more adds nothing.
    (void)!::write(writeEnd, &byte, 1);
    errno = saved;
}

}  // namespace

int TerminationPipe::Open() {
    if (readEnd >= 0) return readEnd;
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) return -1;
    readEnd = ends[0];
    writeEnd = ends[1];
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    for (const int number : kSignals) ::sigaction(number, &action, nullptr);
    return readEnd;
}

std::optional<int> TerminationPipe::Take() {
    unsigned char byte = 0;
    if (readEnd < 0) return std::nullopt;
    ssize_t n;
    do {
        n = ::read(readEnd, &byte, 1);
    } while (n < 0 && errno == EINTR);
    if (n != 1) return std::nullopt;
    return int(byte);
}

void TerminationPipe::Close() {
    if (readEnd < 0) return;
    for (const int number : kSignals) ::signal(number, SIG_DFL);
    ::close(writeEnd);
    ::close(readEnd);
    writeEnd = -1;
    readEnd = -1;
}

}  // namespace dlk
