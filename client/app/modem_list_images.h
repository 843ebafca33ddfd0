#pragma once

#include <QImage>

namespace dlk::client {

// The list's little pictures, drawn in code once.
// ImageList1, 16 by 16: sort arrows and the four states of a modem.
enum ModemListStateImage {
    kArrowDescending = 0,
    kArrowAscending = 1,
    kOnlineActive = 2,
    kOfflineActive = 3,
    kOnlinePaused = 4,
    kOfflinePaused = 5,
};
inline constexpr int kStateImageCount = 6;
inline constexpr int kStateImageSize = 16;

// ImageList2, 26 by 15: signal levels 0 to 5, then the battery alarm.
inline constexpr int kSignalImageCount = 6;
inline constexpr int kBatteryImage = 6;
inline constexpr int kSignalImageWidth = 26;
inline constexpr int kSignalImageHeight = 15;

const QImage& StateImage(int index);
const QImage& SignalImage(int index);  // 0..6

// The state picture of a row.
int StateImageOf(bool online, bool paused);

}  // namespace dlk::client
