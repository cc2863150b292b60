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

#include "Tq3DGraph.h"
#include "Tq4882.h"
#include "TqAdvancedAnalysis.h"
#include "TqBaseAnalysis.h"
#include "TqCommon.h"
#include "TqUICommon.h"
#include "TqUserInterface.h"
#include "TqUtility.h"
#include "TqVisa.h"

//==============================================================================
//  Namespaces
//==============================================================================
using namespace TqUI;
using namespace TqHardware;
using namespace TqAnalysis;
using namespace TqCommon;

//}}AFX Sablewing
