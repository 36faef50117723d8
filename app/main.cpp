// Program entry of the desktop application.

#include "app/arbrel_app.h"

wxIMPLEMENT_APP(ArbrelApp);
