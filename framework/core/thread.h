#pragma once

#include <atomic>
#include <thread>

namespace dlk {

// A worker with one Execute loop. Execute checks Terminated() and returns;
// WakeUp unblocks whatever Execute waits on, so Stop never hangs.
class TThread {
public:
    TThread() = default;
    virtual ~TThread();
    TThread(const TThread&) = delete;
    TThread& operator=(const TThread&) = delete;

    void Start();
    void Terminate() { terminated_ = true; }
    bool Terminated() const { return terminated_; }
    void WaitFor();
    // Terminate, wake, join: after Stop nothing of Execute runs any more.
    void Stop();
    bool Running() const { return thread_.joinable(); }

protected:
    virtual void Execute() = 0;
    virtual void WakeUp() {}

private:
    std::atomic<bool> terminated_{false};
    std::thread thread_;
};

}  // namespace dlk
