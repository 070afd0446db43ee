#include "drawing/device.hpp"

namespace florimant {

void Device::Polygon(std::span<const DevicePoint> points, FillRule rule) {
    const std::vector<DevicePoint> contour(points.begin(), points.end());
    Polygons(std::span<const std::vector<DevicePoint>>(&contour, 1), rule);
}

}  // namespace florimant
