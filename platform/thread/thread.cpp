#include "platform/thread/thread.h"

#include <pthread.h>
#include <sys/resource.h>
#include <unistd.h>

namespace dlk {

TThread::~TThread() {
    if (thread_.joinable()) {
        terminated_ = true;
        thread_.join();
    }
}

void TThread::Resume() {
    if (thread_.joinable()) return;
    terminated_ = false;
    thread_ = std::thread([this] { Run(); });
}

void TThread::Terminate() {
    terminated_ = true;
    WakeUp();
}

void TThread::WaitFor() {
    if (thread_.joinable() && thread_.get_id() != std::this_thread::get_id()) thread_.join();
}

void TThread::Stop() {
    Terminate();
    WaitFor();
}

void TThread::Run() {
    pthread_setname_np(pthread_self(), name_.substr(0, 15).c_str());
    if (priority_ != TThreadPriority::tpNormal) {
        // On Linux the niceness belongs to the thread, named by its own id.
        const int nice = getpriority(PRIO_PROCESS, 0) + static_cast<int>(priority_);
        setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), nice);
    }
    Execute();
}

}  // namespace dlk
