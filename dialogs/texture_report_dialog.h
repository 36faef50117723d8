#pragma once
// "Textures in map": every mesh texture of the input with its meshes, cells
// and surface, and whether the chosen map class has a rule for it. A picked
// texture can start a new texture option with its exact name.

#include <string>
#include <vector>

#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/listctrl.h>
#include <wx/stattext.h>

#include "engine/map_statistics.h"

class TextureReportDialog : public wxDialog {
public:
    // Ends with wxID_ADD when the user asks for a texture option for the
    // selected texture (see SelectedTexture), wxID_CANCEL otherwise.
    // withRemovals: the class's models have rules; their counts are shown.
    TextureReportDialog(wxWindow* parent, const wxString& mapName, const wxString& mapClassName,
                        const std::vector<TextureReportRow>& rows, bool withRemovals = false);

    std::string SelectedTexture() const;

    wxListCtrl* table;
    wxButton* newOptionButton;
    wxButton* closeButton;

private:
    void OnNewOption(wxCommandEvent& event);
    void OnSelectionChanged(wxListEvent& event);
    std::vector<std::string> textures_;
};
