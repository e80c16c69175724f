#pragma once

// The windows' fixed texts, in UTF-8.

namespace semtra::data {

inline constexpr const char* kForm1Caption = "Разработчик: Ардин Семтра. v1.9274";
inline constexpr const char* kSayCaption = "Сказать";
inline constexpr const char* kHintRichEdit1 = "Поле для отображения диалога";
inline constexpr const char* kHintEdit1 = "Поле для ввода фразы пользователя";
inline constexpr const char* kHintSpeedButton2 = "Отмена (Альтернатива клавиша: <Ctrl + Z>)";
inline constexpr const char* kHintSpeedButton3 = "Раскладка (Альтернатива клавиша: <Ctrl + S>)";
inline constexpr const char* kHintSpeedButton1 =
    "Кнопка отправки текста (Альтернатива клавиша: <INSERT>)";
inline constexpr const char* kHintStatusBar1 = "Индикатор";

inline constexpr const char* kModeCpuUser = "Режим Cpu\\User";
inline constexpr const char* kModeCpuCpu = "Режим Cpu\\Cpu";
inline constexpr const char* kServiceCpuUser = "Сервис:   // Режим диалога Cpu\\User.";
inline constexpr const char* kServiceCpuCpu = "Сервис:   // Режим диалога Cpu\\Cpu.";

inline constexpr const char* kLoading = "Идёт загрузка подождите...";
inline constexpr const char* kLoaded = "Загрузка окончена";
inline constexpr const char* kKnownPrefix = "Программе известно:   [главные фразы - ";
inline constexpr const char* kKnownBranches = "   ветки - ";

inline constexpr const char* kForm2Caption = "Редактор";
inline constexpr const char* kPathGroup = "Путь файла:";
inline constexpr const char* kIntervalGroup = "Интервал (сек.):";
inline constexpr const char* kOk = "Хорошо";
inline constexpr const char* kCancel = "Отмена";
inline constexpr const char* kDefaultExchangePath = "D:\\Txt.Dat";

} // namespace semtra::data
