#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "client/core/bridge/threaded_local_side.h"
#include "platform/local_socket/message_socket.h"

namespace dlk::client {

inline constexpr const char* kDefaultPipeName = "dlk_pipe";

// The local side as a message channel: a local SEQPACKET socket named
// dlk_pipe that serves one client of our own user at a time, and the reader
// thread that hands each of its messages to the modems. A message longer
// than a block goes on as several blocks, never cut short.
class dlk_pipe final : public ThreadedLocalSide {
public:
    explicit dlk_pipe(std::string name = kDefaultPipeName) : ThreadedLocalSide("dlk_pipe"), name_(std::move(name)) {}
    ~dlk_pipe() override { Close(); }

    // Each block one message to the connected client, sent at once while
    // nothing waits and queued otherwise; dropped when nobody is connected.
    void WriteBatch(std::span<const std::span<const std::uint8_t>> blocks) override;

    MessageSocketServer::ListenResult LastOpenResult() const { return last_open_; }
    const std::string& Name() const { return name_; }
    bool ClientConnected() const;

private:
    bool OpenDevice() override;
    void CloseDevice() override;
    void Execute() override;
    // A newly connected client, or -1 when woken or nobody was served.
    int WaitForClient();
    // Serves one connected client until it leaves or the thread is stopped;
    // returns the client that connected just as it left, or -1.
    int Serve(int client);
    static bool HasGone(int client);
    // Forwards every message waiting; false when the client has gone.
    bool DrainClient(int client);
    void SetClient(int client);
    // As many queued messages as the client takes now. Holds io_lock_.
    void SendQueued();

    const std::string name_;
    MessageSocketServer server_;
    MessageSocketServer::ListenResult last_open_ = MessageSocketServer::ListenResult::Listening;
    int client_ = -1;  // under io_lock_: the receiver's writes against the reader's connects and Close
    MessageReceiver receiver_;
};

}  // namespace dlk::client
