#include "view/pick_dialogs.h"

PickDialogs g_PickDialogs;
