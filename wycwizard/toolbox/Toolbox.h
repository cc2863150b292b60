// The toolbox of lists, strings and files.
#pragma once

#include "toolbox/FileUtil.h"
#include "toolbox/ItemList.h"
#include "toolbox/MemHandle.h"
#include "toolbox/StrUtil.h"
#include "toolbox/ToolboxResults.h"
