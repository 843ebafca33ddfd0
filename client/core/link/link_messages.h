#pragma once

#include <cstdint>
#include <string>

namespace dlk::client {

// Every text the link shows, as UTF-8. "\r" is the one carriage return the
// tray tip and the message boxes use as a line break.

inline constexpr const char* kProgramCaption = "ДЛК-клиент";
inline constexpr const char* kMainCaption = "ДЛК-клиент v1.2";

inline constexpr const char* kWsaStartupError = "Инициализация... Ошибка - WsaStartup error ";  // + code
inline constexpr const char* kComPortOpenFailed =
    "Инициализация... Не удаётся открыть COM-порт.\rПроверьте - установлена ли программа com0com?";
inline constexpr const char* kPipeCreateFailed = "Инициализация... Не удаётся создать канал";
inline constexpr const char* kSocketError = "Инициализация... Ошибка - Socket error ";  // + code
inline constexpr const char* kBindErrorPrefix = "Инициализация... Ошибка - ";

inline constexpr const char* kServerConnectedBalloon = "Подключен к серверу";
inline constexpr const char* kServerGoneBalloon = "Сервер отключился";
inline constexpr const char* kServerLostBalloon = "Соединение с сервером прервано";

inline constexpr const char* kAlreadyRunning = "Программа уже запущена";
inline constexpr const char* kExitQuestion = "Выход... Уверены?";

inline std::string SocketErrorText(int code) {
    return kSocketError + std::to_string(code);
}
inline std::string WsaStartupErrorText(int code) {
    return kWsaStartupError + std::to_string(code);
}
inline std::string PortInUseText(std::uint16_t port) {
    return std::string(kBindErrorPrefix) + "порт " + std::to_string(port) + " занят";
}
inline std::string BindErrorText(int code) {
    return std::string(kBindErrorPrefix) + "bind error " + std::to_string(code);
}
// The whole tray tip: two lines and the decimal count.
inline std::string OnlineTip(std::uint16_t online_count) {
    return std::string(kProgramCaption) + "\rподключено модемов: " + std::to_string(online_count);
}

}  // namespace dlk::client
