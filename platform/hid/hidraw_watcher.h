#pragma once

#include <chrono>
#include <string>
#include <vector>

namespace dlk {

enum class HidrawChangeKind { Arrived, Removed };

struct HidrawChange {
    HidrawChangeKind Kind;
    std::string Name;  // "hidraw3"
    std::string Path;  // the node in the watched folder, spelt as HidrawNode::path
};

// Follows hidraw nodes coming and going in a /dev-like folder. A node's
// owner and mode are often set by udev a moment after it appears, so a
// change of its attributes is reported as a further arrival: an open that
// failed on the first notice may succeed on the second. Callers therefore
// take arrivals as "worth a look", not as "new".
class HidrawWatcher {
public:
    explicit HidrawWatcher(std::string dev_dir = "/dev");
    ~HidrawWatcher();
    HidrawWatcher(const HidrawWatcher&) = delete;
    HidrawWatcher& operator=(const HidrawWatcher&) = delete;

    // false (errno set) when the folder cannot be watched.
    bool Start();
    void Stop();

    // Readable whenever changes wait to be taken; -1 when not started. Meant
    // for the window's event loop.
    int Descriptor() const { return fd_; }

    bool WaitForChanges(std::chrono::milliseconds timeout) const;

    // Every change that has arrived so far, oldest first; never blocks.
    std::vector<HidrawChange> TakeChanges();

private:
    std::string dev_dir_;
    int fd_ = -1;
};

}  // namespace dlk
