#pragma once

#include <stdexcept>

namespace dlk {

// Every error of the tab library, with one of the texts below.
class EKtTabControlError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline constexpr const char* kRegionCacheCapacityError = "Capacity must be -1 (to cache all regions) or > 0";
inline constexpr const char* kSaveDeviceContextError = "Error saving device context";
inline constexpr const char* kCreateRegionError = "Error creating region";
inline constexpr const char* kTabShapePointsError = "Incorrect number of points in tab shape";
inline constexpr const char* kPageIndexError = "%d is an invalid PageIndex value. PageIndex must be between 0 and %d";
inline constexpr const char* kPageVisibleError = "You cannot change the Visible property of a page";

}  // namespace dlk
