// The TF3D program.
#include "frame/wx_app.h"

wxIMPLEMENT_APP(CSpan3DApp);
