#include "config/core/settings_pages.h"

namespace dlk::config {

void ForceFixedSettings(SettingsPages& pages) {
    pages.PacketLength = "0";
    pages.PacketTimeout = "3";
    pages.Flags.Compression = false;
    pages.BaudIndex = 3;      // 9600
    pages.DataBitsIndex = 1;  // 8
    pages.ParityIndex = 0;
    pages.StopBitsIndex = 0;
    pages.Flags.DtrControl = false;
    pages.Flags.InvertTx = false;
    pages.Flags.InvertRx = false;
}

}  // namespace dlk::config
