#pragma once
// The two confirmations before a class or one option line is removed.

#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/stattext.h>

class RemoveConfiguration : public wxDialog {
public:
    RemoveConfiguration(wxWindow* parent, wxWindowID id = -1,
                        const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize);

    static const long ID_STATICTEXT1;
    static const long ID_BUTTON1;
    static const long ID_BUTTON2;

    wxStaticText* questionText;
    wxButton* yesButton;
    wxButton* noButton;

private:
    void OnYes(wxCommandEvent& event);
    void OnNo(wxCommandEvent& event);
    void OnClose(wxCloseEvent& event);
    void OnKeyDown(wxKeyEvent& event);
    wxDECLARE_EVENT_TABLE();
};

class RemoveConfigurationLine : public wxDialog {
public:
    RemoveConfigurationLine(wxWindow* parent, wxWindowID id = -1,
                            const wxPoint& pos = wxDefaultPosition,
                            const wxSize& size = wxDefaultSize);

    static const long ID_STATICTEXT1;
    static const long ID_BUTTON1;
    static const long ID_BUTTON2;

    wxStaticText* questionText;
    wxButton* yesButton;
    wxButton* noButton;

private:
    void OnYes(wxCommandEvent& event);
    void OnNo(wxCommandEvent& event);
    void OnClose(wxCloseEvent& event);
};
