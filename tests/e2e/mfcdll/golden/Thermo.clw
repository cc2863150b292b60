; CLW file contains information for the MFC ClassWizard

[General Info]
Version=1
LastClass=
LastTemplate=CDialog
NewFileInclude1=#include "stdafx.h"
NewFileInclude2=#include "Thermo.h"
LastPage=0

ClassCount=1
Class1=CThermoApp

ResourceCount=0

[CLS:CThermoApp]
Type=0
HeaderFile=Thermo.h
ImplementationFile=Thermo.cpp
Filter=N
