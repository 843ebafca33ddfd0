#include "client/core/link/modem_state_queue.h"

namespace dlk::client {

bool ModemStateQueue::Push(std::uint32_t generation, const ModemStateNotice& notice) {
    std::lock_guard lock(mutex_);
    waiting_.push_back({generation, notice});
    return waiting_.size() == 1;
}

void ModemStateQueue::TakeAll(std::vector<Item>& taken) {
    taken.clear();
    std::lock_guard lock(mutex_);
    waiting_.swap(taken);
}

}  // namespace dlk::client
