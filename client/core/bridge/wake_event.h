#pragma once

namespace dlk::client {

// Lets the window thread end a reader's wait: the reader polls this
// descriptor beside the one it reads, and once signalled it stays signalled,
// so a reader woken before it started waiting still sees it.
class WakeEvent {
public:
    WakeEvent();
    ~WakeEvent();
    WakeEvent(const WakeEvent&) = delete;
    WakeEvent& operator=(const WakeEvent&) = delete;

    bool Valid() const { return fd_ >= 0; }
    int Fd() const { return fd_; }
    void Signal() const;
    // For an event that is re-armed after each use (the writer's kick):
    // takes the signal back.
    void Clear() const;

private:
    int fd_ = -1;
};

// Waits up to timeoutMs for the event alone: a reader whose device has
// failed idles here instead of spinning, and still stops at once.
void IdleUntilWoken(const WakeEvent& wake, int timeoutMs);

}  // namespace dlk::client
