#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace dlk {

// A text that is not the number asked for; the message is the one users see.
class EConvertError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The whole text as a signed 32-bit decimal integer: an optional sign, then
// digits, nothing before or after. Anything else raises EConvertError
// "'<text>' is not a valid integer value".
int StrToInt(std::string_view text);

}  // namespace dlk
