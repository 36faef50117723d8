#pragma once
// How the top-down picture maps the world onto a viewport of pixels: a scale
// (pixels per world unit) and the world point at the viewport's centre.
// North (+Y) is up. The window zooms around the pointer, pans by a drag and
// fits the map with a key; the batch tool and Save as PNG use Fit alone.

#include "preview/preview_scene.h"

class ViewTransform {
public:
    static constexpr int kMargin = 8;  // pixels kept around a fitted map

    void SetViewport(int width, int height);
    int Width() const { return width_; }
    int Height() const { return height_; }
    double Scale() const { return scale_; }

    // The whole rectangle in view, centred, kMargin pixels from the edges.
    void Fit(const SceneBounds& bounds);
    // Multiplies the scale by factor, keeping the world point under the
    // pixel (px, py) where it is. The scale stays between 1/8 of the fitted
    // scale and 64 pixels per unit.
    void ZoomAt(double px, double py, double factor);
    // Moves the picture by (dx, dy) pixels.
    void Pan(double dx, double dy);

    void ToPixel(double x, double y, double& px, double& py) const;
    void ToWorld(double px, double py, double& x, double& y) const;

private:
    int width_ = 1, height_ = 1;
    double scale_ = 1.0, fitScale_ = 1.0;
    double centreX_ = 0.0, centreY_ = 0.0;
};
