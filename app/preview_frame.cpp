#include "app/preview_frame.h"

#include <algorithm>

#include <wx/display.h>
#include <wx/filedlg.h>
#include <wx/intl.h>
#include <wx/numdlg.h>
#include <wx/panel.h>
#include <wx/sizer.h>

#include "app/preview_3d.h"
#include "dialogs/error_dialog.h"
#include "dialogs/narrow_text.h"
#include "preview/scene_lookup.h"
#include "preview/top_down_picture.h"
#include "preview/window_place.h"

namespace {

// How often the window asks whether the request changed.
const int kCheckMilliseconds = 150;

}  // namespace

PreviewFrame::PreviewFrame(wxWindow* parent, Source source, std::string placeFile)
    : wxFrame(parent, wxID_ANY, _("Placement preview"), wxDefaultPosition, wxDefaultSize,
              // Floating needs a parent; without one (a test) it is a plain frame.
              wxDEFAULT_FRAME_STYLE | (parent ? wxFRAME_FLOAT_ON_PARENT : 0), _T("PreviewFrame")),
      source_(std::move(source)), placeFile_(std::move(placeFile)), timer_(this) {
    wxPanel* panel = new wxPanel(this);
    wxBoxSizer* column = new wxBoxSizer(wxVERTICAL);

    wxBoxSizer* top = new wxBoxSizer(wxHORIZONTAL);
    status = new wxStaticText(panel, wxID_ANY, _("Reading the map..."), wxDefaultPosition, wxDefaultSize,
                              wxST_NO_AUTORESIZE | wxST_ELLIPSIZE_END);
    top->Add(status, 1, wxALIGN_CENTER_VERTICAL | wxRIGHT, FromDIP(8));
    gauge = new wxGauge(panel, wxID_ANY, 1000, wxDefaultPosition, FromDIP(wxSize(160, -1)));
    top->Add(gauge, 0, wxALIGN_CENTER_VERTICAL);
    column->Add(top, 0, wxEXPAND | wxALL, FromDIP(6));

    wxBoxSizer* middle = new wxBoxSizer(wxHORIZONTAL);
    views = new wxNotebook(panel, wxID_ANY);
    topDown = new PreviewTopDown(views);
    views->AddPage(topDown, _("From above"), true);
    view3d = CreatePreview3d(views);
    views->AddPage(view3d, _("3D"));
    middle->Add(views, 1, wxEXPAND | wxRIGHT, FromDIP(6));

    wxBoxSizer* side = new wxBoxSizer(wxVERTICAL);
    legendPane = new wxScrolledWindow(panel, wxID_ANY, wxDefaultPosition, FromDIP(wxSize(300, -1)),
                                      wxVSCROLL | wxHSCROLL | wxBORDER_SUNKEN);
    legendPane->SetScrollRate(FromDIP(10), FromDIP(10));
    legendPane->SetBackgroundColour(wxColour(0x20, 0x20, 0x20));
    // A placeholder until the first picture: the Windows toolkit refuses a
    // static bitmap without one.
    wxBitmap placeholder(1, 1);
    legend = new wxStaticBitmap(legendPane, wxID_ANY, placeholder);
    wxBoxSizer* legendSizer = new wxBoxSizer(wxVERTICAL);
    legendSizer->Add(legend, 0);
    legendPane->SetSizer(legendSizer);
    side->Add(legendPane, 1, wxEXPAND);
    details = new wxTextCtrl(panel, wxID_ANY, _("Click the ground to see its texture's rules."),
                             wxDefaultPosition, FromDIP(wxSize(300, 110)), wxTE_MULTILINE | wxTE_READONLY);
    side->Add(details, 0, wxEXPAND | wxTOP, FromDIP(6));
    middle->Add(side, 0, wxEXPAND);
    column->Add(middle, 1, wxEXPAND | wxLEFT | wxRIGHT, FromDIP(6));

    wxBoxSizer* buttons = new wxBoxSizer(wxHORIZONTAL);
    fitButton = new wxButton(panel, wxID_ANY, _("Fit (F)"));
    fitButton->SetToolTip(_("Show the whole map"));
    buttons->Add(fitButton, 0, wxRIGHT, FromDIP(6));
    saveButton = new wxButton(panel, wxID_SAVE, _("Save as PNG..."));
    saveButton->SetToolTip(_("Save the view from above, with its legend, at a size you choose"));
    buttons->Add(saveButton, 0);
    buttons->AddStretchSpacer();
    buttons->Add(new wxStaticText(panel, wxID_ANY, _("Wheel: zoom. Drag: pan. Nothing is written.")), 0,
                 wxALIGN_CENTER_VERTICAL | wxRIGHT, FromDIP(8));
    buttons->Add(new wxButton(panel, wxID_CLOSE, _("Close")), 0);
    column->Add(buttons, 0, wxEXPAND | wxALL, FromDIP(6));
    panel->SetSizer(column);

    topDown->onTextureClicked = [this](std::optional<std::size_t> texture) { OnTextureClicked(texture); };
    fitButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { topDown->FitView(); });
    Bind(wxEVT_BUTTON, &PreviewFrame::OnSave, this, wxID_SAVE);
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { Close(); }, wxID_CLOSE);
    Bind(wxEVT_CLOSE_WINDOW, &PreviewFrame::OnClose, this);
    Bind(wxEVT_TIMER, &PreviewFrame::OnTimer, this);
    SetMinSize(FromDIP(wxSize(480, 320)));
    PlaceWindow();

    runner_ = std::make_unique<PreviewRunner>([this](PreviewOutcome outcome) {
        // On the worker thread: hand it over to the window's thread.
        CallAfter([this, outcome] { OnOutcome(outcome); });
    });
    CheckForChanges();
    timer_.Start(kCheckMilliseconds);
}

PreviewFrame::~PreviewFrame() {
    timer_.Stop();
    runner_.reset();  // waits for the worker, so no outcome arrives after this
}

void PreviewFrame::PlaceWindow() {
    // Default: most of a 1024 x 600 screen.
    wxRect wanted(wxDefaultPosition, FromDIP(wxSize(980, 560)));
    WindowPlace place;
    const bool remembered = LoadWindowPlace(placeFile_, place);
    if (remembered) wanted = wxRect(place.x, place.y, place.width, place.height);
    // Never larger than the screen it is on, and never where no screen is.
    int display = remembered ? wxDisplay::GetFromPoint(wanted.GetPosition() + wxPoint(40, 40)) : wxNOT_FOUND;
    if (display == wxNOT_FOUND) display = GetParent() ? wxDisplay::GetFromWindow(GetParent()) : 0;
    const wxRect area = wxDisplay(display == wxNOT_FOUND ? 0 : display).GetClientArea();
    wanted.width = std::min(wanted.width, area.width);
    wanted.height = std::min(wanted.height, area.height);
    if (remembered && area.Contains(wanted.GetPosition() + wxPoint(40, 40))) {
        SetSize(wanted);
    } else if (GetParent() != nullptr) {
        // It floats above the main window: beside it, where the screen has room.
        const wxRect main = GetParent()->GetScreenRect();
        const wxSize least = GetMinSize();
        const WindowPlace beside = PlaceBeside({main.x, main.y, main.width, main.height},
                                              {area.x, area.y, area.width, area.height}, wanted.width,
                                              wanted.height, least.x, least.y);
        SetSize(beside.x, beside.y, beside.width, beside.height);
    } else {
        SetSize(wanted.GetSize());
        CentreOnScreen();
    }
}

void PreviewFrame::CheckForChanges() {
    std::optional<PreviewRequest> request = source_ ? source_() : std::nullopt;
    if (request && !(last_ && SameRequest(*request, *last_))) {
        last_ = request;
        latest_ = runner_->Request(std::move(*request));
        ++started_;
    }
    const bool busy = runner_->Busy();
    if (busy) gauge->SetValue(static_cast<int>(runner_->Progress() * 1000));
    if (busy != gauge->IsShown()) {
        gauge->Show(busy);
        gauge->GetParent()->Layout();
    }
}

void PreviewFrame::OnTimer(wxTimerEvent&) { CheckForChanges(); }

void PreviewFrame::OnOutcome(const PreviewOutcome& outcome) {
    if (outcome.id != latest_) return;  // a newer request is on its way
    shown_ = outcome.id;
    gauge->Hide();
    if (!outcome.scene) {
        status->SetLabel(FromNarrow(outcome.message));
        status->SetToolTip(FromNarrow(outcome.message));
        return;
    }
    scene_ = outcome.scene;
    topDown->SetScene(scene_);
    SetPreview3dScene(view3d, scene_);
    legend->SetBitmap(ToBitmap(DrawLegend(*scene_, 0, 1)));
    legendPane->FitInside();
    legendPane->Layout();
    wxString text = wxString::Format(_("%s models placed on %s meshes. North is up."),
                                     FromNarrow(std::to_string(scene_->marks.size())),
                                     FromNarrow(std::to_string(scene_->terrain ? scene_->terrain->size() : 0)));
    if (!outcome.message.empty()) text += _T(" ") + FromNarrow(outcome.message);
    status->SetLabel(text);
    status->SetToolTip(text);
    status->GetParent()->Layout();
    // The clicked texture's rules as they are now, or the hint when the new
    // map has no such texture: never the rules of a map no longer shown.
    const std::size_t clicked = scene_->TextureIndex(clickedTexture_);
    if (clicked < scene_->textures.size()) OnTextureClicked(clicked);
    else details->ChangeValue(_("Click the ground to see its texture's rules."));
}

void PreviewFrame::OnTextureClicked(std::optional<std::size_t> texture) {
    if (!scene_ || !last_) return;
    if (!texture) {
        clickedTexture_.clear();
        details->ChangeValue(_("No terrain here."));
        return;
    }
    clickedTexture_ = scene_->textures[*texture];
    details->ChangeValue(FromNarrow(DescribeTexture(*scene_, *texture, last_->mapClasses, last_->run.mapClassName)));
}

void PreviewFrame::OnSave(wxCommandEvent&) {
    if (!scene_) return;
    const long size = wxGetNumberFromUser(_("The longer side of the map in the picture, in pixels:"),
                                          _("Size"), _("Save as PNG"), 2048, 16, 8192, this);
    if (size < 0) return;
    wxFileDialog dialog(this, _("Save preview"), wxEmptyString, _T("preview.png"), _("PNG images (*.png)|*.png"),
                        wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
    if (dialog.ShowModal() != wxID_OK) return;
    std::string error;
    if (!WritePng(ToNarrow(dialog.GetPath()), PreviewPicture(*scene_, static_cast<int>(size)), error)) {
        ErrorDialog failure(this, FromNarrow(error));
        failure.ShowModal();
    }
}

void PreviewFrame::OnClose(wxCloseEvent&) {
    const wxRect rect = GetRect();
    std::string error;
    // Only the window's place: a failure is not worth a message.
    if (!IsIconized() && !IsMaximized())
        SaveWindowPlace(placeFile_, {rect.x, rect.y, rect.width, rect.height}, error);
    Destroy();
}
