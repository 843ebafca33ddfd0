#pragma once

#include <functional>
#include <optional>

#include "framework/canvas/canvas.h"

namespace dlk {

// True when the screen shows more than a palette's colours; true also when
// there is no screen to ask.
bool IsTrueColorDisplay();
// IsTrueColorDisplay as it was once the application existed: asked once, at
// the first call after that, and kept (a later change of depth goes unseen).
// The tab faces paint gradients only when it is set.
bool TrueColorDisplay();
// Makes TrueColorDisplay answer value (none: the display again), for tests.
void SetTrueColorDisplayTest(std::optional<bool> value);

// Whether the font is drawn from outlines, so it can be turned.
bool IsTrueTypeFont(const TFont& font);
// Replaces the font test (nullptr: ask the font database again).
using TrueTypeFontTest = std::function<bool(const TFont&)>;
void SetTrueTypeFontTest(TrueTypeFontTest test);

}  // namespace dlk
