#pragma once
// The preview's view from above: the scene's picture at the window's size,
// zoomed with the wheel around the pointer, panned by dragging, fitted again
// with F (or Home). Hovering a mark shows what it is; a click on the ground
// (without a drag) reports the texture there.

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>

#include <wx/bitmap.h>
#include <wx/window.h>

#include "preview/png_encoder.h"
#include "preview/preview_scene.h"
#include "preview/view_transform.h"

// The toolkit's copy of a core image.
wxBitmap ToBitmap(const RgbImage& image);

class PreviewTopDown : public wxWindow {
public:
    explicit PreviewTopDown(wxWindow* parent);

    // Shows a new scene. The view stays where the user put it, unless this
    // is the first scene or the map's extent changed.
    void SetScene(std::shared_ptr<const PreviewScene> scene);
    void FitView();
    const ViewTransform& View() const { return view_; }
    ViewTransform& View() { return view_; }
    // The picture as last drawn (what the window shows).
    const RgbImage& Picture() const { return picture_; }
    // Draws the picture now if the scene or the view changed since.
    void UpdatePicture();

    // Called with the texture under a click, or nothing over bare ground.
    std::function<void(std::optional<std::size_t>)> onTextureClicked;

private:
    void OnPaint(wxPaintEvent& event);
    void OnSize(wxSizeEvent& event);
    void OnWheel(wxMouseEvent& event);
    void OnLeftDown(wxMouseEvent& event);
    void OnLeftUp(wxMouseEvent& event);
    void OnMotion(wxMouseEvent& event);
    void OnKey(wxKeyEvent& event);
    void OnCaptureLost(wxMouseCaptureLostEvent& event);
    void Changed();

    std::shared_ptr<const PreviewScene> scene_;
    ViewTransform view_;
    RgbImage picture_;
    wxBitmap bitmap_;
    bool dirty_ = true;
    bool dragging_ = false, dragged_ = false;
    wxPoint dragFrom_;
    std::optional<std::size_t> hovered_;
};
