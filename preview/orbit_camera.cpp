#include "preview/orbit_camera.h"

#include <algorithm>
#include <cmath>

#include "engine/exact_trig.h"

namespace {

constexpr double kMinPitch = 0.087266462599716478;  // 5 degrees
constexpr double kMaxPitch = 1.5533430342749532;    // 89 degrees
// 1 / tan(25 degrees): a vertical field of view of 50 degrees.
constexpr double kFocal = 2.1445069205095586;
constexpr double kTwoPi = 6.283185307179586;

}  // namespace

void OrbitCamera::Fit(const SceneBounds& b) {
    targetX_ = (b.minX + b.maxX) / 2;
    targetY_ = (b.minY + b.maxY) / 2;
    targetZ_ = (b.minZ + b.maxZ) / 2;
    extent_ = std::max({b.maxX - b.minX, b.maxY - b.minY, b.maxZ - b.minZ, 64.0});
    distance_ = extent_ * 1.1;
    yaw_ = -2.0943951023931957;  // -120 degrees: from the south-west
    pitch_ = 0.78539816339744831;
}

void OrbitCamera::LookDownAt(double x, double y, double z, double distance) {
    targetX_ = x;
    targetY_ = y;
    targetZ_ = z;
    distance_ = distance;
    pitch_ = kMaxPitch;
}

void OrbitCamera::Orbit(double dx, double dy) {
    yaw_ -= dx * 0.01;
    // Kept within one turn, where the exact sine and cosine are defined.
    while (yaw_ < 0.0) yaw_ += kTwoPi;
    while (yaw_ >= kTwoPi) yaw_ -= kTwoPi;
    pitch_ = std::clamp(pitch_ + dy * 0.01, kMinPitch, kMaxPitch);
}

void OrbitCamera::Pan(double dx, double dy, int viewHeight) {
    double c, s;
    ExactCosSin(yaw_, c, s);
    const double step = distance_ / std::max(viewHeight, 1) * 1.2;
    // Right is (-sin, cos); away from the eye over the ground is (-cos, -sin).
    targetX_ -= (-s * dx + c * dy) * step;
    targetY_ -= (c * dx + s * dy) * step;
}

void OrbitCamera::Zoom(double steps) {
    double factor = 1.0;
    for (double s = steps; s >= 1.0; s -= 1.0) factor *= 0.85;
    for (double s = steps; s <= -1.0; s += 1.0) factor /= 0.85;
    if (factor == 1.0 && steps != 0.0) factor = steps > 0.0 ? 0.97 : 1 / 0.97;  // touchpads send small steps
    distance_ = std::clamp(distance_ * factor, 16.0, extent_ * 20.0);
}

std::array<float, 16> OrbitCamera::ViewProjection(double aspect) const {
    double cy, sy, cp, sp;
    ExactCosSin(yaw_, cy, sy);
    ExactCosSin(pitch_, cp, sp);
    // The eye's basis: forward f (to the target), right r = f x up, up u = r x f.
    const double fx = -cp * cy, fy = -cp * sy, fz = -sp;
    double rx = fy, ry = -fx, rz = 0.0;  // f x (0, 0, 1)
    const double rl = std::sqrt(rx * rx + ry * ry);
    rx /= rl;
    ry /= rl;
    const double ux = ry * fz - rz * fy, uy = rz * fx - rx * fz, uz = rx * fy - ry * fx;
    const double ex = targetX_ - fx * distance_, ey = targetY_ - fy * distance_, ez = targetZ_ - fz * distance_;
    const double near = distance_ * 0.01, far = distance_ * 4.0 + extent_ * 4.0;
    const double a = aspect > 0.0 ? aspect : 1.0;
    // Projection rows applied to the view rows.
    const double view[3][4] = {{rx, ry, rz, -(rx * ex + ry * ey + rz * ez)},
                               {ux, uy, uz, -(ux * ex + uy * ey + uz * ez)},
                               {-fx, -fy, -fz, fx * ex + fy * ey + fz * ez}};
    std::array<float, 16> m{};
    for (int column = 0; column < 4; ++column) {
        m[column * 4 + 0] = static_cast<float>(kFocal / a * view[0][column]);
        m[column * 4 + 1] = static_cast<float>(kFocal * view[1][column]);
        const double zRow = (far + near) / (near - far) * view[2][column] + (column == 3 ? 2 * far * near / (near - far) : 0.0);
        m[column * 4 + 2] = static_cast<float>(zRow);
        m[column * 4 + 3] = static_cast<float>(-view[2][column]);
    }
    return m;
}

bool OrbitCamera::Project(double x, double y, double z, int width, int height, int& px, int& py) const {
    const std::array<float, 16> m = ViewProjection(height > 0 ? static_cast<double>(width) / height : 1.0);
    const double clipX = m[0] * x + m[4] * y + m[8] * z + m[12];
    const double clipY = m[1] * x + m[5] * y + m[9] * z + m[13];
    const double clipW = m[3] * x + m[7] * y + m[11] * z + m[15];
    if (!(clipW > 0.0)) return false;
    px = static_cast<int>((clipX / clipW + 1.0) / 2.0 * width);
    py = static_cast<int>((1.0 - clipY / clipW) / 2.0 * height);
    return px >= 0 && py >= 0 && px < width && py < height;
}
