////////////////////////////////////////////////////////////////////////////////
//
//  Title     : TqIncludes.h
//  Purpose   : This file is used to include the proper headers and namespaces
//              for the Sablewing components in the project.
//
////////////////////////////////////////////////////////////////////////////////
#pragma once
#pragma warning(disable: 4786)


//{{AFX Sablewing

//==============================================================================
//  Includes
//==============================================================================

#include "TqAnalysis.h"
#include "TqComplex.h"
#include "TqControls.h"
#include "TqCore.h"
#include "TqRuntime.h"
#include "TqDaq.h"
#include "TqGpib.h"
#include "TqGraph.h"
#include "TqSerial.h"
#include "TqUtility.h"
#include "TqVisa.h"
#include "tqswitch.h"

//==============================================================================
//  Namespaces
//==============================================================================
using namespace TqMath;
using namespace TqUI;
using namespace TqCore;
using namespace TqHardware;
using namespace TqUtility;

//}}AFX Sablewing
