// The text a failure caught around the project's conversion or customization is reported with,
// under the product's name: a CTqException's own message; for a CFileException "Could not convert
// project", the file and the text of its cause; "Unknown Error" for anything else. The strings
// are FailureStrings.rc's.
#pragma once

#include "stdafx.h"

CString FailureText(CException* e);
// For a failure that is no CException.
CString UnknownFailureText();
// The text of CFileException cause `cause`: 1 to 14 have one, any other cause "".
CString FileCauseText(int cause);
