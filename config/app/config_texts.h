#pragma once

namespace dlk::config::config_texts {

inline constexpr char kProgramName[] = "DLK_config";
inline constexpr char kTitle[] = "ДЛК-настройка";
inline constexpr char kAlreadyRunning[] = "Программа уже запущена";
inline constexpr char kCaption[] = "ДЛК-настройка v1.3";
inline constexpr char kBootLoaderCaption[] = "ДЛК-настройка v1.3 (ЗАГРУЗЧИК)";
inline constexpr char kGsmButtonCaption[] = "Перепрошить\rGSM-модуль";
inline constexpr char kNoNotifications[] = "Error Register Message";

}  // namespace dlk::config::config_texts
