#pragma once

// The editor's own texts, as the user sees them. "\r" marks a line break in
// a message.
namespace dlk::server_edit::editor_texts {

inline constexpr char kTitle[] = "Редактирование ДЛК-сервера";

inline constexpr char kPortItemPrefix[] = "порт сервера: ";
inline constexpr char kPortItemNoFile[] = "порт сервера ? (не удалось открыть файл DLK_server.dat)";

inline constexpr char kExitCaption[] = "Выход из программы";
inline constexpr char kSaveQuestion[] = "Сохранить изменения?";
inline constexpr char kSaveErrorPrefix[] = "Ошибка сохранения ";
inline constexpr char kNothingSaved[] =
    ".\rНичего не сохранено: ни один из файлов не записан.\rВсе изменения пока есть только в программе.";
inline constexpr char kSavedOnlyPrefix[] = ".\rЗаписаны только: ";
inline constexpr char kNotSavedUnreadPrefix[] = "Файл ";
inline constexpr char kNotSavedUnreadReason[] =
    " не сохранён: при запуске его не удалось прочитать,\rи запись поверх него потеряла бы хранящиеся в нём записи.";

inline constexpr char kDeleteClientCaption[] = "Удаление клиента";
inline constexpr char kDeleteClientQuestion[] = "Удалить также модемы,\rсвязанные с этим клиентом\rесли такие имеются?";
inline constexpr char kDeleteModemCaption[] = "Удаление модема";
inline constexpr char kDeleteModemQuestion[] = "Уверены?";

inline constexpr char kNewClientCaption[] = "новый клиент";
inline constexpr char kClientPropertiesCaption[] = "свойства клиент";
inline constexpr char kNewModemCaption[] = "новый модем";
inline constexpr char kModemPropertiesCaption[] = "свойства модема";

// A dialog's text that code page 1251 cannot hold; the field is named by its
// label's words.
inline constexpr char kNotStorablePrefix[] = "В поле «";
inline constexpr char kNotStorableSuffix[] =
    "» есть знаки, которых нет в кодировке 1251:\rсохранить такой текст нельзя.";

inline constexpr char kPortDialogCaption[] = "порт сервера";
inline constexpr char kPortOutOfRange[] = "Порт должен быть в пределах 1024..65535";

}  // namespace dlk::server_edit::editor_texts
