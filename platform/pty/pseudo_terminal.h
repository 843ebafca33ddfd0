#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace dlk {

// A pseudo-terminal pair standing in for a virtual null-modem cable: the
// client works the master end, and the slave end is published under a fixed
// name (a symbolic link) that the local program opens as its serial port.
//
// The client keeps its own descriptor of the slave open for as long as the
// pair exists. Without it, the master reports hang-up once the local program
// closes the port, and every read then fails at once, so a reader would spin;
// it also keeps the line settings in place between two users of the port.
class PseudoTerminal {
public:
    enum class OpenResult {
        Opened,
        NoPseudoTerminal,  // the pair could not be created or set up
        NameTaken,         // something other than a symbolic link has the name
        LinkFailed,        // the symbolic link could not be made
    };

    PseudoTerminal() = default;
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    // Creates the pair, puts the line into raw 8N1 mode without flow
    // control, and publishes the slave as linkName (relative to the current
    // folder unless absolute). An old symbolic link of that name is
    // replaced; anything else of that name is left untouched and the open
    // fails.
    OpenResult Open(const std::string& linkName);

    // Removes the link (when it still names this pair's slave) and closes
    // both ends. Safe to call more than once.
    void Close();

    bool IsOpen() const { return master_ >= 0; }

    // The client's end. Non-blocking: a writer never waits for a local
    // program that is slow or absent.
    int MasterFd() const { return master_; }

    const std::string& SlavePath() const { return slave_path_; }
    const std::string& LinkPath() const { return link_path_; }  // absolute

    // Writes what fits without waiting and drops the rest; a serial line
    // nobody reads loses data the same way. While no program has the port
    // open nothing is written at all: the bytes would otherwise wait in the
    // line and greet the next program that opens it, long after they meant
    // anything. Returns the bytes taken. Not to be called concurrently with
    // TakeOpenEvents.
    std::size_t WriteSome(std::span<const std::uint8_t> bytes);

    // Readable when a program has opened or closed the port since the last
    // TakeOpenEvents; -1 when opens cannot be watched (then the port counts
    // as always open).
    int OpenWatchFd() const { return watch_; }
    // Counts the opens and closes seen so far; when the last program has
    // closed the port, what it left unread is discarded.
    void TakeOpenEvents();
    bool ProgramHasPortOpen() const { return watch_ < 0 || program_opens_ > 0; }

private:
    int master_ = -1;
    int slave_ = -1;
    int watch_ = -1;  // inotify on the slave, for the local program's opens and closes
    int program_opens_ = 0;
    std::string slave_path_;
    std::string link_path_;
    bool owns_link_ = false;
};

// The local program sees 8N1 at this speed. A pseudo-terminal moves bytes as
// fast as both ends take them; the speed only keeps the line settings the
// program reads back the same as the real serial line's.
inline constexpr unsigned kPseudoTerminalBaud = 256000;

}  // namespace dlk
