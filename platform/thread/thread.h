#pragma once

#include <atomic>
#include <string>
#include <thread>

namespace dlk {

// Niceness steps of a worker against the rest of the process. Raising it
// above normal needs a privilege the programs usually lack; then the thread
// simply runs at normal priority.
enum class TThreadPriority : signed char { tpLower = 5, tpNormal = 0, tpHigher = -5 };

// A worker with one Execute loop. It is created suspended: nothing runs
// before Resume, so the owner can finish setting it up (and give it its
// priority) first. Stopping is a terminate request that WakeUp turns into
// the end of whatever Execute waits on; only after the join does the owner
// close that socket or descriptor, because closing a descriptor under a
// blocked poll does not wake it on Linux.
class TThread {
public:
    // The name shows in the system's thread lists (at most 15 bytes).
    explicit TThread(std::string name) : name_(std::move(name)) {}
    // A derived class stops its thread in its own destructor, while what
    // Execute uses still exists; this only catches a forgotten Stop.
    virtual ~TThread();
    TThread(const TThread&) = delete;
    TThread& operator=(const TThread&) = delete;

    // Applies from the next Resume.
    void SetPriority(TThreadPriority priority) { priority_ = priority; }

    // Starts Execute. A running thread is left alone; one that was stopped
    // starts afresh with the terminate request cleared.
    void Resume();
    // Asks Execute to return and wakes it.
    void Terminate();
    bool Terminated() const { return terminated_.load(); }
    // Joins (never from the thread itself).
    void WaitFor();
    // Terminate, then wait: afterwards nothing of Execute runs any more.
    void Stop();
    bool Running() const { return thread_.joinable(); }

protected:
    virtual void Execute() = 0;
    // Ends the wait Execute may be blocked in; called after the request is set.
    virtual void WakeUp() {}

private:
    void Run();

    const std::string name_;
    TThreadPriority priority_ = TThreadPriority::tpNormal;
    std::atomic<bool> terminated_{false};
    std::thread thread_;
};

}  // namespace dlk
