#include "frame/menu_dialogs.h"

MenuDialogs g_MenuDialogs;
