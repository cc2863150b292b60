// $$root$$.h
#pragma once
$$IF(PROJTYPE_DLL)

#ifdef $$SAFE_ROOT$$_EXPORTS
#define $$SAFE_ROOT$$_API __declspec(dllexport)
#else
#define $$SAFE_ROOT$$_API __declspec(dllimport)
#endif
$$ENDIF
