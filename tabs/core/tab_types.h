#pragma once

#include <cstdint>

namespace dlk {

// The tab library's enumerations; each is held in one byte, in this order,
// because stored descriptions name them and the order is part of the format.
enum class TKtTabStyle : std::uint8_t { tsSingleSlant, tsDoubleSlant, tsCutCorner, tsRoundCorners, tsBackSlant };
enum class TKtTabOrientation : std::uint8_t { toTop, toLeft, toBottom, toRight };
enum class TKtTabSequence : std::uint8_t { tsStandard, tsReverse };
enum class TOrientation : std::uint8_t { orHorizontal, orVertical };
enum class TKtHorizontalAlignment : std::uint8_t { haLeft, haCenter, haRight };
enum class TKtVerticalAlignment : std::uint8_t { vaTop, vaCenter, vaBottom };
enum class TKtImagePosition : std::uint8_t { ipLeft, ipTop, ipRight, ipBottom, ipBack, ipStretch };
enum class TKtHotTrackColorType : std::uint8_t { htctComplement, htctActual };
enum class TKtTabHotTrackStyle : std::uint8_t { htsTab, htsText };
enum class TKtTextStyle : std::uint8_t { tsHotTrack, tsSelected, tsUnselected, tsDisabled };
enum class TKtAboutInfo : std::uint8_t { aiKtComponents };

// Top and bottom strips run horizontally, left and right ones vertically.
inline bool IsHorizontalStrip(TKtTabOrientation o) {
    return o == TKtTabOrientation::toTop || o == TKtTabOrientation::toBottom;
}

}  // namespace dlk
