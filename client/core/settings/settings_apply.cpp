#include "client/core/settings/settings_apply.h"

#include <charconv>
#include <optional>
#include <string_view>

#include "platform/encoding/cp1251.h"

namespace dlk::client {
namespace {

constexpr unsigned kMinPort = 1024;
constexpr unsigned kMaxPort = 65535;
constexpr unsigned kMinPingPeriod = 1;
constexpr unsigned kMaxPingPeriod = 60;

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

// Decimal digits only, no sign, within [lo, hi].
std::optional<unsigned> ParseNumber(std::string_view text, unsigned lo, unsigned hi) {
    text = Trim(text);
    if (text.empty() || text.size() > 9) return std::nullopt;
    unsigned value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc{} || end != text.data() + text.size()) return std::nullopt;
    if (value < lo || value > hi) return std::nullopt;
    return value;
}

// Four decimal octets and nothing else: host names and the shorthand forms
// ("127.1", hexadecimal) are not addresses a user types here.
std::optional<std::array<std::uint8_t, 4>> ParseDottedAddress(std::string_view text) {
    text = Trim(text);
    std::array<std::uint8_t, 4> octets{};
    for (std::size_t i = 0; i < 4; ++i) {
        const auto dot = text.find('.');
        const std::string_view part = i < 3 ? text.substr(0, dot) : text;
        if (i < 3 && dot == std::string_view::npos) return std::nullopt;
        if (part.empty() || part.size() > 3 || part.find_first_not_of("0123456789") != std::string_view::npos) {
            return std::nullopt;
        }
        const auto value = ParseNumber(part, 0, 255);
        if (!value) return std::nullopt;
        octets[i] = static_cast<std::uint8_t>(*value);
        if (i < 3) text.remove_prefix(dot + 1);
    }
    return octets;
}

std::string DottedAddress(const std::array<std::uint8_t, 4>& a) {
    return std::to_string(a[0]) + "." + std::to_string(a[1]) + "." + std::to_string(a[2]) + "." + std::to_string(a[3]);
}

// The stored form of an edit's text: code page 1251, at most 8 characters.
ShortString<8> Credential(const std::string& utf8) {
    return MakeShortString<8>(Utf8ToCp1251(utf8));
}

}  // namespace

SettingsError TextOutsideCp1251(std::string control, const std::string& fieldWords) {
    return {std::move(control),
            "В поле «" + fieldWords + "» есть знаки, которых нет в кодировке 1251: сохранить такой текст нельзя"};
}

SettingsDialogValues DialogValuesFrom(const LinkSettings& s) {
    SettingsDialogValues v;
    v.LocalPort = std::to_string(s.LocalPort);
    v.ClientMode = s.ClientMode != 0;
    v.ClientId = Cp1251ToUtf8(s.ClientId.Text());
    v.ClientPassword = Cp1251ToUtf8(s.ClientPassword.Text());
    v.ServerAddress = DottedAddress(s.ServerAddress);
    v.ServerPort = std::to_string(s.ServerPort);
    v.PingPeriod = std::to_string(s.PingPeriod);
    v.NullModemMode = s.NullModemMode != 0;
    v.OneModemActive = s.OneModemActive != 0;
    return v;
}

std::variant<LinkSettings, SettingsError> ValidateSettingsDialog(const SettingsDialogValues& values,
                                                                 const LinkSettings& current) {
    const SettingsDialogValues shown = DialogValuesFrom(current);
    LinkSettings next = current;

    if (values.LocalPort != shown.LocalPort) {
        const auto port = ParseNumber(values.LocalPort, kMinPort, kMaxPort);
        if (!port) return SettingsError{"Edit1", "Локальный порт должен быть числом от 1024 до 65535"};
        next.LocalPort = static_cast<std::uint16_t>(*port);
    }
    next.ClientMode = values.ClientMode ? 1 : 0;
    // Texts are kept as the stored bytes the credential value is made of. An
    // untouched field keeps them even where they have no UTF-8 form of their
    // own, so that only a real change can restart the link; a changed one
    // must be storable as typed, or the relay would see other bytes.
    if (values.ClientId != shown.ClientId) {
        if (!FitsCp1251(values.ClientId)) return TextOutsideCp1251("Edit4", "ID");
        next.ClientId = Credential(values.ClientId);
    }
    if (values.ClientPassword != shown.ClientPassword) {
        if (!FitsCp1251(values.ClientPassword)) return TextOutsideCp1251("Edit6", "пароль");
        next.ClientPassword = Credential(values.ClientPassword);
    }
    if (values.ServerAddress != shown.ServerAddress) {
        const auto address = ParseDottedAddress(values.ServerAddress);
        if (!address) {
            return SettingsError{"Edit2",
                                 "IP-адрес сервера должен состоять из четырёх чисел от 0 до 255, "
                                 "разделённых точками"};
        }
        next.ServerAddress = *address;
    }
    if (values.ServerPort != shown.ServerPort) {
        const auto port = ParseNumber(values.ServerPort, kMinPort, kMaxPort);
        if (!port) return SettingsError{"Edit3", "Порт сервера должен быть числом от 1024 до 65535"};
        next.ServerPort = static_cast<std::uint16_t>(*port);
    }
    if (values.PingPeriod != shown.PingPeriod) {
        const auto period = ParseNumber(values.PingPeriod, kMinPingPeriod, kMaxPingPeriod);
        if (!period) return SettingsError{"Edit5", "Период пинга должен быть числом от 1 до 60"};
        next.PingPeriod = static_cast<std::uint8_t>(*period);
    }
    next.NullModemMode = values.NullModemMode ? 1 : 0;
    next.OneModemActive = values.OneModemActive ? 1 : 0;
    return next;
}

SettingsChanges CompareSettings(const LinkSettings& current, const LinkSettings& next) {
    SettingsChanges c;
    const bool clientMode = next.ClientMode == 1;
    c.RestartLink =
        next.ClientMode != current.ClientMode ||
        (clientMode && (next.ClientId.Text() != current.ClientId.Text() ||
                        next.ClientPassword.Text() != current.ClientPassword.Text() ||
                        next.ServerAddress != current.ServerAddress || next.ServerPort != current.ServerPort)) ||
        next.LocalPort != current.LocalPort || next.NullModemMode != current.NullModemMode;
    c.RestartPingCountdowns = next.PingPeriod != current.PingPeriod;
    c.PauseAllModems = next.OneModemActive == 1 && current.OneModemActive != 1;
    return c;
}

std::variant<SettingsChanges, SettingsError> ApplySettingsDialog(const SettingsDialogValues& values,
                                                                 LinkSettings& settings, SettingsApplyTarget& target) {
    auto validated = ValidateSettingsDialog(values, settings);
    if (auto* error = std::get_if<SettingsError>(&validated)) return *error;
    const LinkSettings next = std::get<LinkSettings>(validated);
    const SettingsChanges changes = CompareSettings(settings, next);

    settings = next;

    if (changes.RestartPingCountdowns) target.RestartPingCountdowns(settings.PingPeriod);
    if (changes.PauseAllModems) target.PauseAllModems();
    target.SaveConfig();
    if (changes.RestartLink) {
        target.CloseLink();
        target.EmptyModemTable();
        target.ReopenLinkAfterPause();
    }
    return changes;
}

}  // namespace dlk::client
