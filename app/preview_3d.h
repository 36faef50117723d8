#pragma once
// The preview's 3D page: the terrain lit by one sun and a marker per placed
// model, or a notice where OpenGL 3.3 is not available.

#include <memory>

#include <wx/window.h>

#include "preview/preview_scene.h"

wxWindow* CreatePreview3d(wxWindow* parent);
void SetPreview3dScene(wxWindow* page, std::shared_ptr<const PreviewScene> scene);
