#include "common/SystemTime.h"

#include <array>

namespace ombrel {

int CompareTimes(const SystemTime& first, const SystemTime& second) {
    const auto fields = [](const SystemTime& t) {
        return std::array{t.year, t.month, t.day, t.hour, t.minute, t.second, t.milliseconds};
    };
    const auto a = fields(first);
    const auto b = fields(second);
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i] != b[i]) return a[i] > b[i] ? -1 : 1;
    }
    return 0;
}

}  // namespace ombrel
