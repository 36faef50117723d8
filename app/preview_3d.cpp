#include "app/preview_3d.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#if ARBREL_HAVE_GL
#include "app/gl_functions.h"  // before the toolkit's canvas, which includes the system's GL header
#include <wx/glcanvas.h>
#endif

#include <wx/dcclient.h>
#include <wx/intl.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include "preview/orbit_camera.h"
#include "preview/scene_geometry.h"

#if ARBREL_HAVE_GL

namespace {

const char* const kTerrainVertexShader = R"(#version 330 core
layout(location = 0) in vec3 position;
layout(location = 1) in vec3 normal;
layout(location = 2) in vec3 colour;
uniform mat4 viewProjection;
uniform vec3 sun;
out vec3 shade;
void main() {
    gl_Position = viewProjection * vec4(position, 1.0);
    shade = colour * (0.4 + 0.7 * max(dot(normal, sun), 0.0));
}
)";

// A marker: a thin four-sided spike standing on the model's origin, turned
// by the model's angles (yaw about Z, then pitch about Y, then roll about X,
// as the game turns models), scaled by its scale.
const char* const kMarkerVertexShader = R"(#version 330 core
layout(location = 0) in vec4 corner;  // xyz in the unit marker, w the face's brightness
layout(location = 1) in vec4 placeScale;
layout(location = 2) in vec3 angles;  // pitch, yaw, roll in degrees
layout(location = 3) in vec3 colour;
uniform mat4 viewProjection;
uniform vec3 markerSize;
out vec3 shade;
void main() {
    vec3 a = radians(angles);
    float cp = cos(a.x), sp = sin(a.x), cy = cos(a.y), sy = sin(a.y), cr = cos(a.z), sr = sin(a.z);
    mat3 yaw = mat3(cy, sy, 0.0, -sy, cy, 0.0, 0.0, 0.0, 1.0);
    mat3 pitch = mat3(cp, 0.0, -sp, 0.0, 1.0, 0.0, sp, 0.0, cp);
    mat3 roll = mat3(1.0, 0.0, 0.0, 0.0, cr, sr, 0.0, -sr, cr);
    vec3 local = corner.xyz * markerSize * placeScale.w;
    gl_Position = viewProjection * vec4(placeScale.xyz + yaw * pitch * roll * local, 1.0);
    shade = colour * corner.w;
}
)";

const char* const kFragmentShader = R"(#version 330 core
in vec3 shade;
out vec4 fragment;
void main() { fragment = vec4(min(shade, vec3(1.0)), 1.0); }
)";

// The unit marker: four sides and a base; brightness by face so its shape shows.
std::vector<float> MarkerShape() {
    const float b[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
    const float light[4] = {0.75f, 1.0f, 0.85f, 0.65f};
    std::vector<float> out;
    for (int i = 0; i < 4; ++i) {
        const int j = (i + 1) % 4;
        out.insert(out.end(), {b[i][0], b[i][1], 0, light[i], b[j][0], b[j][1], 0, light[i], 0, 0, 1, light[i]});
    }
    out.insert(out.end(), {-1, -1, 0, 0.5f, 1, 1, 0, 0.5f, 1, -1, 0, 0.5f, -1, -1, 0, 0.5f, -1, 1, 0, 0.5f, 1, 1, 0, 0.5f});
    return out;
}

GLuint Compile(GLenum kind, const char* source, std::string& error) {
    const GLuint shader = glCreateShader(kind);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint ok = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (ok == GL_TRUE) return shader;
    char log[512] = {};
    glGetShaderInfoLog(shader, sizeof log, nullptr, log);
    error = log;
    glDeleteShader(shader);
    return 0;
}

GLuint Link(const char* vertex, std::string& error) {
    const GLuint vs = Compile(GL_VERTEX_SHADER, vertex, error);
    const GLuint fs = vs ? Compile(GL_FRAGMENT_SHADER, kFragmentShader, error) : 0;
    if (!vs || !fs) return 0;
    const GLuint program = glCreateProgram();
    glAttachShader(program, vs);
    glAttachShader(program, fs);
    glLinkProgram(program);
    glDeleteShader(vs);
    glDeleteShader(fs);
    GLint ok = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &ok);
    if (ok == GL_TRUE) return program;
    char log[512] = {};
    glGetProgramInfoLog(program, sizeof log, nullptr, log);
    error = log;
    glDeleteProgram(program);
    return 0;
}

void FloatAttribute(GLuint index, int size, int stride, int offset, GLuint divisor = 0) {
    glEnableVertexAttribArray(index);
    glVertexAttribPointer(index, size, GL_FLOAT, GL_FALSE, stride * static_cast<int>(sizeof(float)),
                          reinterpret_cast<const void*>(static_cast<std::size_t>(offset) * sizeof(float)));
    glVertexAttribDivisor(index, divisor);
}

wxGLAttributes DisplayAttributes() {
    wxGLAttributes attributes;
    attributes.PlatformDefaults().RGBA().DoubleBuffer().Depth(24).EndList();
    return attributes;
}

}  // namespace

class TerrainCanvas : public wxGLCanvas {
public:
    TerrainCanvas(Preview3dPage* page, const wxGLAttributes& attributes)
        : wxGLCanvas(page, attributes, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxWANTS_CHARS,
                     _T("TerrainCanvas")),
          page_(page) {
        wxGLContextAttrs context;
        // Platform defaults first: without them the direct-rendering flag
        // is left to chance and context creation fails at times.
        context.PlatformDefaults().CoreProfile().OGLVersion(3, 3).EndList();
        context_ = new wxGLContext(this, nullptr, &context);
        if (!context_->IsOK()) {
            delete context_;
            context_ = nullptr;
        }
        Bind(wxEVT_PAINT, &TerrainCanvas::OnPaint, this);
        Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
            Refresh(false);
            event.Skip();
        });
        Bind(wxEVT_LEFT_DOWN, &TerrainCanvas::OnDown, this);
        Bind(wxEVT_RIGHT_DOWN, &TerrainCanvas::OnDown, this);
        Bind(wxEVT_MIDDLE_DOWN, &TerrainCanvas::OnDown, this);
        Bind(wxEVT_LEFT_UP, &TerrainCanvas::OnUp, this);
        Bind(wxEVT_RIGHT_UP, &TerrainCanvas::OnUp, this);
        Bind(wxEVT_MIDDLE_UP, &TerrainCanvas::OnUp, this);
        Bind(wxEVT_MOUSE_CAPTURE_LOST, [](wxMouseCaptureLostEvent&) {});
        Bind(wxEVT_MOTION, &TerrainCanvas::OnMotion, this);
        Bind(wxEVT_MOUSEWHEEL, &TerrainCanvas::OnWheel, this);
        Bind(wxEVT_KEY_DOWN, [this](wxKeyEvent& event) {
            if (event.GetKeyCode() == 'F' || event.GetKeyCode() == WXK_HOME) Fit();
            else event.Skip();
        });
    }

    ~TerrainCanvas() override {
        if (context_ != nullptr && ready_ && IsShownOnScreen()) {
            SetCurrent(*context_);
            glDeleteBuffers(3, buffers_);
            glDeleteVertexArrays(2, arrays_);
            glDeleteProgram(terrainProgram_);
            glDeleteProgram(markerProgram_);
        }
        delete context_;
    }

    bool HasContext() const { return context_ != nullptr && failure_.empty(); }

    void SetScene(std::shared_ptr<const PreviewScene> scene) {
        const bool sameExtent = scene_ && scene && scene_->bounds.minX == scene->bounds.minX &&
                                scene_->bounds.maxX == scene->bounds.maxX && scene_->bounds.minY == scene->bounds.minY &&
                                scene_->bounds.maxY == scene->bounds.maxY;
        scene_ = std::move(scene);
        uploaded_ = false;
        if (!sameExtent) Fit();
        Refresh(false);
    }

    void Fit() {
        if (scene_) camera_.Fit(scene_->bounds);
        Refresh(false);
    }

    void LookDownAt(double x, double y, double z, double distance) {
        camera_.LookDownAt(x, y, z, distance);
        Refresh(false);
    }

    bool Project(double x, double y, double z, int& px, int& py) const {
        const wxSize size = GetClientSize();
        return camera_.Project(x, y, z, size.x, size.y, px, py);
    }

    // Draws into the back buffer; false (with failure_) when GL fails.
    bool Render() {
        if (context_ == nullptr || !IsShownOnScreen()) return false;
        SetCurrent(*context_);
        if (!ready_ && !(LoadGlFunctions() && Prepare())) {
            if (failure_.empty()) failure_ = "functions";
            Preview3dPage* page = page_;
            page->CallAfter([page] { page->ShowNotice(); });
            return false;
        }
        if (!uploaded_) Upload();
        const wxSize size = GetClientSize() * GetContentScaleFactor();
        glViewport(0, 0, size.x, size.y);
        glClearColor(0.13f, 0.13f, 0.13f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glEnable(GL_DEPTH_TEST);
        const std::array<float, 16> viewProjection =
            camera_.ViewProjection(size.y > 0 ? static_cast<double>(size.x) / size.y : 1.0);
        glUseProgram(terrainProgram_);
        glUniformMatrix4fv(glGetUniformLocation(terrainProgram_, "viewProjection"), 1, GL_FALSE,
                           viewProjection.data());
        // The sun of the view from above: north-west, 45 degrees high.
        glUniform3f(glGetUniformLocation(terrainProgram_, "sun"), -0.5f, 0.5f, 0.70710678f);
        glBindVertexArray(arrays_[0]);
        glDrawArrays(GL_TRIANGLES, 0, terrainCorners_);
        glUseProgram(markerProgram_);
        glUniformMatrix4fv(glGetUniformLocation(markerProgram_, "viewProjection"), 1, GL_FALSE,
                           viewProjection.data());
        glUniform3f(glGetUniformLocation(markerProgram_, "markerSize"), 5.0f, 5.0f, 40.0f);
        glBindVertexArray(arrays_[1]);
        glDrawArraysInstanced(GL_TRIANGLES, 0, markerCorners_, markerCount_);
        glBindVertexArray(0);
        return true;
    }

    RgbImage Snapshot() {
        RgbImage image;
        if (!Render()) return image;
        const wxSize size = GetClientSize() * GetContentScaleFactor();
        std::vector<std::uint8_t> rows(static_cast<std::size_t>(size.x) * size.y * 3);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadBuffer(GL_BACK);
        glReadPixels(0, 0, size.x, size.y, GL_RGB, GL_UNSIGNED_BYTE, rows.data());
        image = RgbImage(size.x, size.y, 0);
        const std::size_t row = static_cast<std::size_t>(size.x) * 3;
        for (int y = 0; y < size.y; ++y)  // GL's first row is the bottom one
            std::copy_n(rows.begin() + (size.y - 1 - y) * row, row, image.pixels.begin() + y * row);
        SwapBuffers();
        return image;
    }

private:
    bool Prepare() {
        std::string error;
        terrainProgram_ = Link(kTerrainVertexShader, error);
        markerProgram_ = terrainProgram_ ? Link(kMarkerVertexShader, error) : 0;
        if (!markerProgram_) {
            failure_ = error.empty() ? "shader" : error;
            return false;
        }
        glGenVertexArrays(2, arrays_);
        glGenBuffers(3, buffers_);
        const std::vector<float> shape = MarkerShape();
        markerCorners_ = static_cast<GLsizei>(shape.size() / 4);
        glBindVertexArray(arrays_[1]);
        glBindBuffer(GL_ARRAY_BUFFER, buffers_[1]);
        glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(shape.size() * sizeof(float)), shape.data(),
                     GL_STATIC_DRAW);
        FloatAttribute(0, 4, 4, 0);
        glBindVertexArray(0);
        ready_ = true;
        return true;
    }

    void Upload() {
        uploaded_ = true;
        const std::vector<float> terrain = scene_ ? TerrainVertices(*scene_) : std::vector<float>();
        terrainCorners_ = static_cast<GLsizei>(terrain.size() / kTerrainVertexFloats);
        glBindVertexArray(arrays_[0]);
        glBindBuffer(GL_ARRAY_BUFFER, buffers_[0]);
        glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(terrain.size() * sizeof(float)), terrain.data(),
                     GL_STATIC_DRAW);
        FloatAttribute(0, 3, kTerrainVertexFloats, 0);
        FloatAttribute(1, 3, kTerrainVertexFloats, 3);
        FloatAttribute(2, 3, kTerrainVertexFloats, 6);
        const std::vector<float> markers = scene_ ? MarkerInstances(*scene_) : std::vector<float>();
        markerCount_ = static_cast<GLsizei>(markers.size() / kMarkerInstanceFloats);
        glBindVertexArray(arrays_[1]);
        glBindBuffer(GL_ARRAY_BUFFER, buffers_[2]);
        glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(markers.size() * sizeof(float)), markers.data(),
                     GL_STATIC_DRAW);
        FloatAttribute(1, 4, kMarkerInstanceFloats, 0, 1);
        FloatAttribute(2, 3, kMarkerInstanceFloats, 4, 1);
        FloatAttribute(3, 3, kMarkerInstanceFloats, 7, 1);
        glBindVertexArray(0);
    }

    void OnPaint(wxPaintEvent&) {
        wxPaintDC dc(this);  // the context is made current here, never before the window shows
        if (Render()) SwapBuffers();
    }

    void OnDown(wxMouseEvent& event) {
        SetFocus();
        from_ = event.GetPosition();
        if (!HasCapture()) CaptureMouse();
    }
    void OnUp(wxMouseEvent&) {
        if (HasCapture()) ReleaseMouse();
    }
    void OnMotion(wxMouseEvent& event) {
        const wxPoint at = event.GetPosition();
        const double dx = at.x - from_.x, dy = at.y - from_.y;
        from_ = at;
        if (event.LeftIsDown()) camera_.Orbit(dx, dy);
        else if (event.RightIsDown() || event.MiddleIsDown()) camera_.Pan(dx, dy, GetClientSize().y);
        else return;
        Refresh(false);
    }
    void OnWheel(wxMouseEvent& event) {
        const int delta = event.GetWheelDelta() > 0 ? event.GetWheelDelta() : 120;
        camera_.Zoom(static_cast<double>(event.GetWheelRotation()) / delta);
        Refresh(false);
    }

    Preview3dPage* page_;
    wxGLContext* context_ = nullptr;
    std::string failure_;
    std::shared_ptr<const PreviewScene> scene_;
    bool ready_ = false, uploaded_ = false;
    GLuint terrainProgram_ = 0, markerProgram_ = 0, arrays_[2] = {0, 0}, buffers_[3] = {0, 0, 0};
    GLsizei terrainCorners_ = 0, markerCorners_ = 0, markerCount_ = 0;
    OrbitCamera camera_;
    wxPoint from_;
};

#else

// Built without OpenGL: the page only says so.
class TerrainCanvas : public wxWindow {
public:
    bool HasContext() const { return false; }
    void SetScene(std::shared_ptr<const PreviewScene>) {}
    RgbImage Snapshot() { return RgbImage(); }
    bool Project(double, double, double, int&, int&) const { return false; }
    void LookDownAt(double, double, double, double) {}
};

#endif

Preview3dPage::Preview3dPage(wxWindow* parent) : wxPanel(parent, wxID_ANY) {
    wxBoxSizer* sizer = new wxBoxSizer(wxVERTICAL);
    notice = new wxStaticText(this, wxID_ANY,
                              _("The 3D view needs OpenGL 3.3, which is not available here. The view from "
                                "above shows the same placement."));
    sizer->Add(notice, 0, wxALL, FromDIP(12));
    // Wrapped to the page's width, so the whole sentence shows.
    const wxString text = notice->GetLabel();
    Bind(wxEVT_SIZE, [this, text](wxSizeEvent& event) {
        notice->SetLabel(text);
        notice->Wrap(std::max(event.GetSize().x - 2 * FromDIP(12), FromDIP(100)));
        event.Skip();
    });
#if ARBREL_HAVE_GL
    const wxGLAttributes attributes = DisplayAttributes();
    if (wxGLCanvas::IsDisplaySupported(attributes)) {
        canvas_ = new TerrainCanvas(this, attributes);
        if (canvas_->HasContext()) {
            sizer->Add(canvas_, 1, wxEXPAND);
            notice->Hide();
        } else {
            canvas_->Destroy();
            canvas_ = nullptr;
        }
    }
#endif
    SetSizer(sizer);
}

bool Preview3dPage::Available() const { return canvas_ != nullptr && canvas_->HasContext(); }

void Preview3dPage::SetScene(std::shared_ptr<const PreviewScene> scene) {
    if (canvas_ != nullptr) canvas_->SetScene(std::move(scene));
}

RgbImage Preview3dPage::Snapshot() {
    RgbImage image = canvas_ != nullptr ? canvas_->Snapshot() : RgbImage();
    if (canvas_ != nullptr && !canvas_->HasContext()) ShowNotice();
    return image;
}

bool Preview3dPage::Project(double x, double y, double z, int& px, int& py) const {
    return canvas_ != nullptr && canvas_->Project(x, y, z, px, py);
}

void Preview3dPage::LookDownAt(double x, double y, double z, double distance) {
    if (canvas_ != nullptr) canvas_->LookDownAt(x, y, z, distance);
}

void Preview3dPage::ShowNotice() {
    canvas_->Hide();
    notice->Show();
    Layout();
}

wxWindow* CreatePreview3d(wxWindow* parent) { return new Preview3dPage(parent); }

void SetPreview3dScene(wxWindow* page, std::shared_ptr<const PreviewScene> scene) {
    if (auto* view = dynamic_cast<Preview3dPage*>(page)) view->SetScene(std::move(scene));
}
