// Installation directory row and Maps tab handlers.

#include "app/arbrel_frame.h"

void ArbrelFrame::OnInstallDirSelected(wxCommandEvent&) {}
void ArbrelFrame::OnSetInstallDir(wxCommandEvent&) {}
void ArbrelFrame::OnMapSelected(wxCommandEvent&) {}
void ArbrelFrame::OnSelectInputMap(wxCommandEvent&) {}
void ArbrelFrame::OnMapClassChosen(wxCommandEvent&) {}
void ArbrelFrame::OnSelectOutputMap(wxCommandEvent&) {}
