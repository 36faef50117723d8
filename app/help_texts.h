#pragma once
// The texts of the Information and Tutorial tabs.

#include <wx/string.h>

wxString InformationText();
wxString TutorialText();
