#pragma once

#include <filesystem>
#include <string>

#include "config/core/firmware_page.h"
#include "config/core/report_link.h"

namespace dlk::config {

inline constexpr char kFlashCaption[] = "Перепрошивка";
inline constexpr char kGsmFlashCaption[] = "Перепрошивка GSM-модуля";
inline constexpr char kFlashQuestion[] = "Вы действительно хотите начать прошивку?";
inline constexpr char kFileNotOpenedText[] = "Не получилось открыть файл";
inline constexpr char kImageRefusedText[] = "Прошивка не подходит для этого устройства";
inline constexpr char kVerifyFailedText[] = "Проверка не пройдена. Попробуйте повторить";

enum class FlashOutcome {
    FileNotOpened,
    Declined,      // No at the question: nothing sent, the window unchanged
    ImageRefused,  // the unit said the image is not for it
    VerifyFailed,
    LinkFailed,  // an exchange failed; nothing was sent after it
    Done,
};

// Flashes the unit's controller from the file: read the image (into `image`,
// which lives as long as the program), ask, put the window into the
// boot-loader look, then enter the loader, check the image's last 16 bytes,
// program the 2048 blocks, verify, identify the unit again, report success
// and finish, after which the unit leaves the bus and returns. Every failure
// stops at once with its box, and Button1 comes back while a unit is there.
FlashOutcome RunFirmwareUpdate(ReportLink& link, const std::filesystem::path& file, FirmwareBytes& image,
                               FirmwarePageWindow& window);

enum class PassThroughOutcome {
    Declined,
    LinkFailed,
    UnitLeft,  // the unit went away while the instructions were open: nothing more was sent
    Done,
};

// The instructions shown while the GSM module is switched through (lines joined by "\r").
std::string GsmFlashInstructions();

// Switches the GSM module through to the unit's serial port for its maker's
// flashing tool, shows the instructions, and switches it back when they are closed.
PassThroughOutcome RunGsmPassThrough(ReportLink& link, FirmwarePageWindow& window);

}  // namespace dlk::config
