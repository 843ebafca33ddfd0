#pragma once

#include <cstdint>
#include <mutex>
#include <vector>

#include "client/core/table/modem_table.h"

namespace dlk::client {

// The modem-state changes the receiver has for the window, gathered so that
// one posted message stands for all that wait: a burst of modems coming on
// costs the window one sort, one paint and one tip, not one of each per
// modem, and the messages never pile up ahead of the window's other work.
class ModemStateQueue {
public:
    struct Item {
        std::uint32_t Generation = 0;
        ModemStateNotice Notice{};
    };

    // Any thread. True when nothing was waiting: the caller then posts the
    // one message that will take this and whatever follows it.
    bool Push(std::uint32_t generation, const ModemStateNotice& notice);

    // Window thread, on that message: everything waiting, oldest first,
    // into taken (emptied first, its room reused). A change pushed after
    // this posts a message of its own.
    void TakeAll(std::vector<Item>& taken);

private:
    std::mutex mutex_;
    std::vector<Item> waiting_;
};

}  // namespace dlk::client
