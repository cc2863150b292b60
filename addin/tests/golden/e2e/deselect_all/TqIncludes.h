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


//}}AFX Sablewing
