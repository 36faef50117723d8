#pragma once
// The preview's 3D page: the terrain lit by one sun and a small upright
// marker per placed model, leaning with its angles, in an OpenGL 3.3 core
// context. Left drag orbits, right (or middle) drag pans, the wheel zooms,
// F fits. Where OpenGL 3.3 is not available the page says so instead.

#include <memory>

#include <wx/panel.h>

#include "preview/png_encoder.h"
#include "preview/preview_scene.h"

class TerrainCanvas;
class wxStaticText;

class Preview3dPage : public wxPanel {
public:
    explicit Preview3dPage(wxWindow* parent);
    void SetScene(std::shared_ptr<const PreviewScene> scene);

    // False when the page shows the notice instead of the view.
    bool Available() const;
    // For tests: draws the view now and reads it back (empty when not
    // available); where a world point lands in it; and a camera looking
    // straight down at a point from `distance` units.
    RgbImage Snapshot();
    bool Project(double x, double y, double z, int& px, int& py) const;
    void LookDownAt(double x, double y, double z, double distance);

    wxStaticText* notice;

private:
    friend class TerrainCanvas;
    // When the context works but drawing does not (shaders refused).
    void ShowNotice();
    TerrainCanvas* canvas_ = nullptr;
};

wxWindow* CreatePreview3d(wxWindow* parent);
void SetPreview3dScene(wxWindow* page, std::shared_ptr<const PreviewScene> scene);
