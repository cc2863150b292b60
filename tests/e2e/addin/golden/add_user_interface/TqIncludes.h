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

#include "TqControls.h"
#include "TqCore.h"
#include "TqRuntime.h"
#include "TqGraph.h"
#include "TqKnobs.h"

//==============================================================================
//  Namespaces
//==============================================================================
using namespace TqUI;
using namespace TqCore;

//}}AFX Sablewing
