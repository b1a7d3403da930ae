// Dates as the stores keep them.
#include "model/base/Date.h"

#include <chrono>

namespace cl {

std::string FormatStoreDate(std::time_t when) {
    using namespace std::chrono;
    const year_month_day ymd{floor<days>(system_clock::from_time_t(when))};
    return std::to_string(static_cast<int>(ymd.year())) + "/" + std::to_string(static_cast<unsigned>(ymd.month())) +
           "/" + std::to_string(static_cast<unsigned>(ymd.day()));
}

std::string TodayUtc() {
    return FormatStoreDate(std::time(nullptr));
}

Clock& SystemClock() {
    class UtcClock final : public Clock {
        std::string Today() override { return TodayUtc(); }
    };
    static UtcClock clock;
    return clock;
}

std::string FormatFileNameDate(std::time_t when) {
    using namespace std::chrono;
    const year_month_day ymd{floor<days>(system_clock::from_time_t(when))};
    const auto two = [](unsigned n) { return std::string(n < 10 ? "0" : "") + std::to_string(n); };
    return std::to_string(static_cast<int>(ymd.year())) + "-" + two(static_cast<unsigned>(ymd.month())) + "-" +
           two(static_cast<unsigned>(ymd.day()));
}

}  // namespace cl
