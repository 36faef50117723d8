#pragma once
// The 3D preview's camera: it circles a target point on the map, as the
// level editor's camera does: orbit (turn around the target), pan (move the
// target over the ground) and zoom (move closer). It gives the matrix that
// takes world points to the screen, column-major as OpenGL takes it.

#include <array>

#include "preview/preview_scene.h"

class OrbitCamera {
public:
    // Looks at the middle of the map from the south-west, 45 degrees up.
    void Fit(const SceneBounds& bounds);
    // Straight down at a point from `distance` units.
    void LookDownAt(double x, double y, double z, double distance);
    // Pixels dragged: left-right turns around the target, up-down tilts.
    void Orbit(double dx, double dy);
    // Pixels dragged in a view `viewHeight` pixels high: the ground under
    // the pointer follows it (about).
    void Pan(double dx, double dy, int viewHeight);
    // Wheel steps: positive comes closer.
    void Zoom(double steps);

    std::array<float, 16> ViewProjection(double aspect) const;
    // Where the world point lands in a width x height view; false behind the camera.
    bool Project(double x, double y, double z, int width, int height, int& px, int& py) const;

    double Distance() const { return distance_; }

private:
    double targetX_ = 0.0, targetY_ = 0.0, targetZ_ = 0.0;
    double extent_ = 1024.0, distance_ = 1024.0;
    double yaw_ = -2.0943951023931957;   // radians; the eye's direction from the target
    double pitch_ = 0.78539816339744831;  // radians above the ground
};
