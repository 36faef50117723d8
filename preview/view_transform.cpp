#include "preview/view_transform.h"

#include <algorithm>

void ViewTransform::SetViewport(int width, int height) {
    width_ = std::max(width, 1);
    height_ = std::max(height, 1);
}

void ViewTransform::Fit(const SceneBounds& b) {
    const double spanX = b.maxX - b.minX, spanY = b.maxY - b.minY;
    const double innerX = std::max(width_ - 2 * kMargin, 1), innerY = std::max(height_ - 2 * kMargin, 1);
    double scale = 1.0;
    if (spanX > 0.0 && spanY > 0.0) scale = std::min(innerX / spanX, innerY / spanY);
    else if (spanX > 0.0) scale = innerX / spanX;
    else if (spanY > 0.0) scale = innerY / spanY;
    scale_ = fitScale_ = scale;
    centreX_ = (b.minX + b.maxX) / 2.0;
    centreY_ = (b.minY + b.maxY) / 2.0;
}

void ViewTransform::ZoomAt(double px, double py, double factor) {
    if (!(factor > 0.0)) return;
    double x, y;
    ToWorld(px, py, x, y);
    scale_ = std::clamp(scale_ * factor, std::min(fitScale_ / 8.0, 64.0), 64.0);
    // Put (x, y) back under (px, py).
    centreX_ = x - (px - width_ / 2.0) / scale_;
    centreY_ = y + (py - height_ / 2.0) / scale_;
}

void ViewTransform::Pan(double dx, double dy) {
    centreX_ -= dx / scale_;
    centreY_ += dy / scale_;
}

void ViewTransform::ToPixel(double x, double y, double& px, double& py) const {
    px = (x - centreX_) * scale_ + width_ / 2.0;
    py = (centreY_ - y) * scale_ + height_ / 2.0;
}

void ViewTransform::ToWorld(double px, double py, double& x, double& y) const {
    x = centreX_ + (px - width_ / 2.0) / scale_;
    y = centreY_ - (py - height_ / 2.0) / scale_;
}
