// Resource ids of LoadModSubject.dll.
#define IDR_LOADMOD_TEMPLATE 301
