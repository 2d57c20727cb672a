#include "frame/tool_modes.h"
