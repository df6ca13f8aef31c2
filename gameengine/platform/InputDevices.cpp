#include "InputDevices.h"

#include <algorithm>
#include <cmath>

namespace tidewell::platform {

bool AxisScale::setRange(std::int32_t newMinimum, std::int32_t newMaximum) {
    if (newMinimum >= newMaximum) return false;
    minimum = newMinimum;
    maximum = newMaximum;
    return true;
}

bool AxisScale::setDeadZone(std::uint32_t tenThousandths) {
    if (tenThousandths > 10000) return false;
    deadZone = tenThousandths;
    return true;
}

std::int32_t AxisScale::apply(std::int32_t raw, std::int32_t rawMinimum, std::int32_t rawMaximum) const {
    if (rawMaximum <= rawMinimum) {
        return minimum + (maximum - minimum) / 2;
    }
    const double rawCentre = (static_cast<double>(rawMinimum) + rawMaximum) / 2.0;
    const double rawHalf = (static_cast<double>(rawMaximum) - rawMinimum) / 2.0;
    double offset = std::clamp((raw - rawCentre) / rawHalf, -1.0, 1.0);
    const double dead = std::min(deadZone, 10000u) / 10000.0;
    if (std::abs(offset) <= dead) {
        offset = 0.0;
    } else {
        // Stretch what lies outside the dead zone so a stick pushed to its end still reads the end.
        offset = std::copysign((std::abs(offset) - dead) / (1.0 - dead), offset);
    }
    const double centre = (static_cast<double>(minimum) + maximum) / 2.0;
    const double half = (static_cast<double>(maximum) - minimum) / 2.0;
    const double scaled = std::round(centre + offset * half);
    return static_cast<std::int32_t>(std::clamp(scaled, static_cast<double>(std::min(minimum, maximum)),
                                                static_cast<double>(std::max(minimum, maximum))));
}

}  // namespace tidewell::platform
