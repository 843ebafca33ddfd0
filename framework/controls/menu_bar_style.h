#pragma once

class QMenuBar;

namespace dlk {

// Qt shows an item of a menu bar that has a picture as the picture alone;
// the classic bar shows the picture beside the caption. Makes bar do that.
void ShowPicturesBesideCaptions(QMenuBar& bar);

}  // namespace dlk
