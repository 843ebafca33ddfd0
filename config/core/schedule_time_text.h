#pragma once

#include <string>

namespace dlk::config {

// "понедельник" ... "воскресенье" for day 0-6 of the week (UTF-8).
const char* DayName(int day);

// A minute of the week as the chart shows it: "среда 7:05". Minutes past the
// week count from its start again.
std::string ScheduleTimeText(int minute);

}  // namespace dlk::config
