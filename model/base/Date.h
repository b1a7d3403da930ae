// Dates as the stores keep them: "%i/%i/%i" (year, month, day, no leading zeros), in UTC.
#pragma once

#include <ctime>
#include <string>

namespace cl {

// The date of a moment, formatted for the stores.
std::string FormatStoreDate(std::time_t when);

// Today's date (UTC) for the stores.
std::string TodayUtc();

// Where the commands get today's date from: the system's clock in the program, a fixed date in tests.
class Clock {
  public:
    virtual ~Clock() = default;
    virtual std::string Today() = 0;  // "%i/%i/%i", UTC
};

// The system's clock.
Clock& SystemClock();

// The date of a moment for a file name: "2003-01-05" (UTC), so that such names sort by date.
std::string FormatFileNameDate(std::time_t when);

}  // namespace cl
