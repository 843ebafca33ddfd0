#pragma once

#include <cstdint>
#include <vector>

#include "framework/core/geometry.h"
#include "tabs/core/tab_shapes.h"

namespace dlk {

// Kinds of the entries of a drawing command list. A point kind is followed by
// two entries, X and Y, in client coordinates.
enum TKtDrawCommand : std::int32_t {
    dcFrameColor = 0,  // pen := the frame colour
    dcNothing = 1,
    dcHead = 2,  // head of every list: recompute the frame colour; X, Y are tags
    dcMove = 3,
    dcLine = 4,         // end point left out
    dcDarkShadow = 5,   // blend with black, darkness 30, both ends included
    dcLightShadow = 6,  // the same, darkness 15
};

inline constexpr std::uint8_t kDarkShadow = 30;
inline constexpr std::uint8_t kLightShadow = 15;

// The outline of one tab or of one card, built first and drawn in one go, so
// the shadow knows before drawing whether it needs the parent's picture.
class TKtDrawCommands {
public:
    void Clear() { entries_.clear(); }
    void Add(TKtDrawCommand kind) { entries_.push_back(kind); }
    void Add(TKtDrawCommand kind, int x, int y);
    void Add(TKtDrawCommand kind, TPoint p) { Add(kind, p.X, p.Y); }
    const std::vector<std::int32_t>& Entries() const { return entries_; }
    bool HasShadow() const;

private:
    std::vector<std::int32_t> entries_;
};

// What running a command list does to a canvas.
class TKtDrawTarget {
public:
    virtual ~TKtDrawTarget() = default;
    virtual void UseFrameColor() = 0;
    virtual void MoveTo(TPoint p) = 0;
    virtual void LineTo(TPoint p) = 0;
    virtual void ShadowPixel(TPoint p, std::uint8_t darkness) = 0;
};

// Runs the list in order; a list cut short in the middle of an entry stops there.
void RunDrawCommands(const TKtDrawCommands& commands, TKtDrawTarget& target);

// The pixels of a shadow line from `from` to `to`, both ends included:
// vertical when both share X, otherwise horizontal at the left end's Y.
std::vector<TPoint> ShadowLinePixels(TPoint from, TPoint to);

// A tab's outline, base left open. `client` are the shape's points mapped to
// the client area; a count other than the style's raises the shape error.
void AppendTabOutline(TKtDrawCommands& list, TKtTabStyle style, bool softCorners, TKtTabOrientation orientation,
                      const TKtTabShape& client);

struct TKtCardFrame {
    TRect Card;  // the row's card rectangle, edges drawn on Right and Bottom
    TKtTabStyle Style = TKtTabStyle::tsRoundCorners;
    TKtTabOrientation Orientation = TKtTabOrientation::toTop;
    TKtTabSequence Sequence = TKtTabSequence::tsStandard;
    bool ShowShadow = false;
    bool ShowFullFrame = true;
    // The selected tab this card joins: where its outline meets the card
    // (first shape point one pixel on along the strip, last shape point).
    bool Open = false;
    TPoint S, E;
};

void AppendCardFrame(TKtDrawCommands& list, const TKtCardFrame& frame);

}  // namespace dlk
