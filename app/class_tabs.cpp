// Map classes and Model classes tab handlers.

#include "app/arbrel_frame.h"

void ArbrelFrame::OnMapClassSelected(wxCommandEvent&) {}
void ArbrelFrame::OnAddMapClass(wxCommandEvent&) {}
void ArbrelFrame::OnRemoveMapClass(wxCommandEvent&) {}
void ArbrelFrame::OnNewTextureOption(wxCommandEvent&) {}
void ArbrelFrame::OnEditTextureOption(wxCommandEvent&) {}
void ArbrelFrame::OnRemoveTextureOption(wxCommandEvent&) {}
void ArbrelFrame::OnModelClassSelected(wxCommandEvent&) {}
void ArbrelFrame::OnAddModelClass(wxCommandEvent&) {}
void ArbrelFrame::OnRemoveModelClass(wxCommandEvent&) {}
void ArbrelFrame::OnNewModelOption(wxCommandEvent&) {}
void ArbrelFrame::OnEditModelOption(wxCommandEvent&) {}
void ArbrelFrame::OnRemoveModelOption(wxCommandEvent&) {}
