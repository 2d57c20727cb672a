#include "frame/pick_dialogs.h"

#include "frame/menu_dialogs.h"

PickDialogs g_PickDialogs;
MenuDialogs g_MenuDialogs;
