#include "config/core/firmware_update.h"

#include "config/core/firmware_image.h"

namespace dlk::config {
namespace {

// The link failed: say why, and offer the button again if there is still a unit to flash.
FlashOutcome LinkFailure(ReportLink& link, LinkStatus status, FirmwarePageWindow& window) {
    window.ShowMessage(kFlashCaption, LinkStatusMessage(status), BoxIcon::Error);
    if (link.HasUnit()) window.EnableFlashButton();
    return FlashOutcome::LinkFailed;
}

}  // namespace

FlashOutcome RunFirmwareUpdate(ReportLink& link, const std::filesystem::path& file, FirmwareBytes& image,
                               FirmwarePageWindow& window) {
    if (!LoadFirmwareImage(file, image)) {
        window.ShowMessage(kFlashCaption, kFileNotOpenedText, BoxIcon::Error);
        return FlashOutcome::FileNotOpened;
    }
    link.Request().ReportId = 0;
    if (!window.Confirm(kFlashCaption, kFlashQuestion)) return FlashOutcome::Declined;
    window.ShowBootLoaderLook();

    if (const LinkStatus status = link.EnterLoader(); status != LinkStatus::Ok)
        return LinkFailure(link, status, window);
    bool suits = false;
    const std::span<const std::uint8_t, kFirmwareImageSize> whole(image);
    if (const LinkStatus status = link.CheckImage(whole.last<kFirmwareBlockSize>(), suits); status != LinkStatus::Ok)
        return LinkFailure(link, status, window);
    if (!suits) {
        window.ShowMessage(kFlashCaption, kImageRefusedText, BoxIcon::Error);
        window.EnableFlashButton();
        return FlashOutcome::ImageRefused;
    }

    window.ShowProgress(true);
    LinkStatus status = link.BeginProgramming();
    for (std::size_t block = 0; block < kFirmwareBlockCount && status == LinkStatus::Ok; ++block) {
        status = link.ProgramBlock(whole, block);
        if (status == LinkStatus::Ok) window.SetProgress(static_cast<int>(block + 1));
    }
    window.ShowProgress(false);
    if (status != LinkStatus::Ok) return LinkFailure(link, status, window);

    bool passed = false;
    if (status = link.Verify(passed); status != LinkStatus::Ok) return LinkFailure(link, status, window);
    if (!passed) {
        window.ShowMessage(kFlashCaption, kVerifyFailedText, BoxIcon::Warning);
        window.EnableFlashButton();
        return FlashOutcome::VerifyFailed;
    }

    UnitIdentity identity;
    if (status = link.Identify(identity); status != LinkStatus::Ok) return LinkFailure(link, status, window);
    window.ShowRenewedIdentity(DescribeIdentity(identity));
    window.ShowMessage(kFlashCaption, kDoneText, BoxIcon::Information);
    // The image is in; without this the unit would stay in its loader.
    if (status = link.Finish(); status != LinkStatus::Ok) return LinkFailure(link, status, window);
    return FlashOutcome::Done;
}

std::string GsmFlashInstructions() {
    static const char* const kLines[] = {
        "GSM-модуль готов к началу перепрошивки.",
        "Теперь для непосредственно перепрошивки запустите программу SIM900 Series download Tools Customer.exe.",
        "1. Настройте, как указано ниже:",
        "  Target - SIM900",
        "  Port - последовательный порт к которому подключен модем",
        "  Baud Rate - 115200",
        "  DownloadOption - Normal",
        "  ReadBufferSize - 2048",
        "  Core File - выберите файл с прошивкой",
        "  Erase Type - Erase User Data and Code",
        "2. Нажмите кнопку <Start Download>",
        "3. Когда в логе появится сообщение \"Power On/Reset Target\", нажмите кнопку <OK> в этом окошке.",
        "   После чего должна начаться перепрошивка.",
        "4. После завершения перепрошивки в логе появится сообщение \"Download Complete\".",
        "   Закройте программу и переподключите модем.",
    };
    std::string text;
    for (const char* line : kLines) {
        if (!text.empty()) text += '\r';
        text += line;
    }
    return text;
}

PassThroughOutcome RunGsmPassThrough(ReportLink& link, FirmwarePageWindow& window) {
    if (!window.Confirm(kGsmFlashCaption, kFlashQuestion)) return PassThroughOutcome::Declined;
    if (const LinkStatus status = link.GsmPassThroughOn(); status != LinkStatus::Ok) {
        window.ShowMessage(kGsmFlashCaption, LinkStatusMessage(status), BoxIcon::Error);
        return PassThroughOutcome::LinkFailed;
    }
    window.ShowMessage(kGsmFlashCaption, GsmFlashInstructions(), BoxIcon::Warning);
    // The instructions end with reconnecting the unit; one pulled out
    // while they were open has nothing left to switch back.
    if (!link.HasUnit()) return PassThroughOutcome::UnitLeft;
    if (const LinkStatus status = link.GsmPassThroughOff(); status != LinkStatus::Ok) {
        window.ShowMessage(kGsmFlashCaption, LinkStatusMessage(status), BoxIcon::Error);
        return PassThroughOutcome::LinkFailed;
    }
    return PassThroughOutcome::Done;
}

}  // namespace dlk::config
