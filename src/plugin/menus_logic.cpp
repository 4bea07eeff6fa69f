#include "plugin/menus_logic.h"

int32_t commandIds[kCommandCount] = {};
int32_t separatorCommand = 0;
