#pragma once

namespace dlk {

// Sets both directions of the terminal on fd to an arbitrary bit rate, one
// that the classic Bnnn constants cannot name. Returns false when the driver
// refuses; the caller keeps whatever speed the line had.
bool SetArbitraryLineSpeed(int fd, unsigned baud);

// The output speed as the driver reports it, for checking the above.
unsigned ReadLineSpeed(int fd);

}  // namespace dlk
