; CLW file contains information for the MFC ClassWizard

[General Info]
Version=1
LastClass=
LastTemplate=CDialog
NewFileInclude1=#include "stdafx.h"
NewFileInclude2=#include "$$root$$.h"
LastPage=0

$$IF(EXTDLL)
ClassCount=0

ResourceCount=0
$$ELSE
ClassCount=1
Class1=C$$Root$$App

ResourceCount=0

[CLS:C$$Root$$App]
Type=0
HeaderFile=$$root$$.h
ImplementationFile=$$root$$.cpp
Filter=N
$$ENDIF
