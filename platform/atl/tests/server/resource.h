// Resource ids of AtlTestServer.dll and AtlBadServer.dll.
#pragma once
#include "AtlTestServer.h"
