// The Planprint program.
#include "planprint/wx_app.h"

wxIMPLEMENT_APP(CPlanprintApp);
