#include "stdafx.h"

#include "plugin/CurrentDepot.h"

CInformationDepot* g_pCurrentDepot = NULL;
