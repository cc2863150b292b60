// StdAfx.h
#pragma once
#include <afxwin.h>
$$IF(EXTDLL)
#include <afxdllx.h>
$$ENDIF
$$IF(SOCKETS)
#include <afxsock.h>
$$ENDIF
