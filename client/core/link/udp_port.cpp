#include "client/core/link/udp_port.h"

namespace dlk::client {

void UDP_port::Execute() {
    while (!Terminated()) {
        const ReceiveResult r = socket_.ReceiveBatch(batch_);
        if (r.Status != ReceiveStatus::Datagram) continue;  // woken, or an error: the loop condition decides
        handler_.HandleBatch(batch_, only_from_);
    }
}

}  // namespace dlk::client
