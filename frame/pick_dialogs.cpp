#include "frame/pick_dialogs.h"

PickDialogs g_PickDialogs;
