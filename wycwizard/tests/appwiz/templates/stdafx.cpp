// StdAfx.cpp
#include "StdAfx.h"
