#include "config/core/schedule_time_text.h"

#include "config/core/schedule_table.h"

namespace dlk::config {

const char* DayName(int day) {
    static const char* const kDays[] = {"понедельник", "вторник", "среда",      "четверг",
                                        "пятница",     "суббота", "воскресенье"};
    return kDays[((day % 7) + 7) % 7];
}

std::string ScheduleTimeText(int minute) {
    const int m = WeekMinute(minute);
    const int in_day = m % kMinutesPerDay;
    const int minutes = in_day % 60;
    return std::string(DayName(m / kMinutesPerDay)) + " " + std::to_string(in_day / 60) + (minutes < 10 ? ":0" : ":") +
           std::to_string(minutes);
}

}  // namespace dlk::config
