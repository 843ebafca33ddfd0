#include "platform/testing/fifo_in_place.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <stdexcept>

namespace dlk::testing {

FifoInPlace::FifoInPlace(std::filesystem::path path, std::chrono::milliseconds grace) : path_(std::move(path)) {
    if (::mkfifo(path_.c_str(), 0600) != 0) throw std::runtime_error("mkfifo failed");
    releaser_ = std::thread([this, grace] {
        const auto end = std::chrono::steady_clock::now() + grace;
        while (!stop_) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            if (std::chrono::steady_clock::now() < end) continue;
            // Succeeds only while somebody has the FIFO open for reading.
            const int fd = ::open(path_.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (fd >= 0) {
                stuck_ = true;
                ::close(fd);
            }
        }
    });
}

FifoInPlace::~FifoInPlace() {
    stop_ = true;
    releaser_.join();
}

}  // namespace dlk::testing
