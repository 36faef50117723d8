#include "app/preview_top_down.h"

#include <cmath>
#include <cstring>

#include <wx/dcbuffer.h>
#include <wx/image.h>

#include "dialogs/narrow_text.h"
#include "preview/scene_lookup.h"
#include "preview/top_down_picture.h"

wxBitmap ToBitmap(const RgbImage& image) {
    if (image.width <= 0 || image.height <= 0) return wxBitmap();
    wxImage picture(image.width, image.height, false);
    std::memcpy(picture.GetData(), image.pixels.data(), image.pixels.size());
    return wxBitmap(picture);
}

PreviewTopDown::PreviewTopDown(wxWindow* parent)
    : wxWindow(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxWANTS_CHARS, _T("PreviewTopDown")) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetMinSize(FromDIP(wxSize(200, 150)));
    Bind(wxEVT_PAINT, &PreviewTopDown::OnPaint, this);
    Bind(wxEVT_SIZE, &PreviewTopDown::OnSize, this);
    Bind(wxEVT_MOUSEWHEEL, &PreviewTopDown::OnWheel, this);
    Bind(wxEVT_LEFT_DOWN, &PreviewTopDown::OnLeftDown, this);
    Bind(wxEVT_LEFT_UP, &PreviewTopDown::OnLeftUp, this);
    Bind(wxEVT_MOTION, &PreviewTopDown::OnMotion, this);
    Bind(wxEVT_KEY_DOWN, &PreviewTopDown::OnKey, this);
    Bind(wxEVT_MOUSE_CAPTURE_LOST, &PreviewTopDown::OnCaptureLost, this);
}

void PreviewTopDown::SetScene(std::shared_ptr<const PreviewScene> scene) {
    const bool sameExtent = scene_ && scene && scene_->bounds.minX == scene->bounds.minX &&
                            scene_->bounds.maxX == scene->bounds.maxX && scene_->bounds.minY == scene->bounds.minY &&
                            scene_->bounds.maxY == scene->bounds.maxY;
    scene_ = std::move(scene);
    hovered_.reset();
    UnsetToolTip();
    if (!sameExtent) FitView();
    Changed();
}

void PreviewTopDown::FitView() {
    const wxSize size = GetClientSize();
    view_.SetViewport(size.x, size.y);
    if (scene_) view_.Fit(scene_->bounds);
    Changed();
}

void PreviewTopDown::Changed() {
    dirty_ = true;
    Refresh(false);
}

void PreviewTopDown::UpdatePicture() {
    if (!dirty_) return;
    dirty_ = false;
    const wxSize size = GetClientSize();
    view_.SetViewport(size.x, size.y);
    picture_ = scene_ ? DrawTopDown(*scene_, view_) : RgbImage(view_.Width(), view_.Height(), kPreviewBackground);
    bitmap_ = ToBitmap(picture_);
}

void PreviewTopDown::OnPaint(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(this);
    UpdatePicture();
    if (bitmap_.IsOk()) dc.DrawBitmap(bitmap_, 0, 0);
}

void PreviewTopDown::OnSize(wxSizeEvent& event) {
    const wxSize size = GetClientSize();
    const double oldWidth = view_.Width(), oldHeight = view_.Height();
    view_.SetViewport(size.x, size.y);
    // Keep the same world point in the middle: shift by half the growth.
    view_.Pan((size.x - oldWidth) / 2.0, (size.y - oldHeight) / 2.0);
    Changed();
    event.Skip();
}

void PreviewTopDown::OnWheel(wxMouseEvent& event) {
    const int delta = event.GetWheelDelta() > 0 ? event.GetWheelDelta() : 120;
    const double steps = static_cast<double>(event.GetWheelRotation()) / delta;
    double factor = 1.0;
    for (double s = steps; s >= 1.0; s -= 1.0) factor *= 1.25;
    for (double s = steps; s <= -1.0; s += 1.0) factor /= 1.25;
    if (factor == 1.0) factor = steps > 0 ? 1.05 : steps < 0 ? 1 / 1.05 : 1.0;  // touchpads send small steps
    view_.ZoomAt(event.GetX(), event.GetY(), factor);
    Changed();
}

void PreviewTopDown::OnLeftDown(wxMouseEvent& event) {
    SetFocus();
    dragging_ = true;
    dragged_ = false;
    dragFrom_ = event.GetPosition();
    if (!HasCapture()) CaptureMouse();
}

void PreviewTopDown::OnLeftUp(wxMouseEvent& event) {
    if (HasCapture()) ReleaseMouse();
    const bool click = dragging_ && !dragged_;
    dragging_ = false;
    if (!click || !scene_ || !onTextureClicked) return;
    double x, y;
    view_.ToWorld(event.GetX() + 0.5, event.GetY() + 0.5, x, y);
    onTextureClicked(TextureAt(*scene_, x, y));
}

void PreviewTopDown::OnMotion(wxMouseEvent& event) {
    if (dragging_ && event.LeftIsDown()) {
        const wxPoint at = event.GetPosition();
        if (!dragged_ && std::abs(at.x - dragFrom_.x) + std::abs(at.y - dragFrom_.y) < 3) return;
        dragged_ = true;
        view_.Pan(at.x - dragFrom_.x, at.y - dragFrom_.y);
        dragFrom_ = at;
        Changed();
        return;
    }
    if (!scene_) return;
    const std::optional<std::size_t> mark = MarkAt(*scene_, view_, event.GetX() + 0.5, event.GetY() + 0.5);
    if (mark == hovered_) return;
    hovered_ = mark;
    if (mark) SetToolTip(FromNarrow(DescribeMark(*scene_, scene_->marks[*mark])));
    else UnsetToolTip();
}

void PreviewTopDown::OnKey(wxKeyEvent& event) {
    const int key = event.GetKeyCode();
    if (key == 'F' || key == WXK_HOME) {
        FitView();
        return;
    }
    event.Skip();
}

void PreviewTopDown::OnCaptureLost(wxMouseCaptureLostEvent&) { dragging_ = false; }
