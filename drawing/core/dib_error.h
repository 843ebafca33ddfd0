#pragma once

#include <stdexcept>
#include <string>

namespace dlk {

// Raised when a surface cannot be made and on an impossible clipping state.
class DIB_ERROR : public std::runtime_error {
public:
    explicit DIB_ERROR(const std::string& message) : std::runtime_error(message) {}
};

inline constexpr const char kDibCreateErrorText[] =
    "DIB ERROR :\rCan NOT create DIB ? ? !\rImpossible de crйer une image tampon ? ? !";
inline constexpr const char kDibClipErrorText[] =
    "DIB ERROR :\rInternal error during segment clipping !\rErreur d'encadrement du segment !";

}  // namespace dlk
