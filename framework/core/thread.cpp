#include "framework/core/thread.h"

namespace dlk {

TThread::~TThread() {
    // A derived class stops its thread in its own destructor, while what
    // Execute uses still exists; this only catches a forgotten Stop.
    if (thread_.joinable()) {
        Terminate();
        thread_.join();
    }
}

void TThread::Start() {
    if (thread_.joinable()) return;
    terminated_ = false;
    thread_ = std::thread([this] { Execute(); });
}

void TThread::WaitFor() {
    if (thread_.joinable() && thread_.get_id() != std::this_thread::get_id()) thread_.join();
}

void TThread::Stop() {
    Terminate();
    WakeUp();
    WaitFor();
}

}  // namespace dlk
