//------------------------------------------------------------------------------
//     Harrowgate/Wyc User Interface Resource (UIR) Callback Table File         
//                                                                              
// The Harrowgate/Wyc Add-In will maintain this file as you make changes to     
// your application's UIR files. This file is equivalent to the one generated   
// by Harrowgate/Wyc when you select External Compiler Support->Generate UI     
// Callbacks Object File.  Do not modify this file in any way.                  
//------------------------------------------------------------------------------

#pragma pack(4)

typedef struct
{
    char *name;
    void *address;
    unsigned long isFunction:1;
    unsigned long reserved:31;
} ExeSymbol;


int __UICallbackSymbolCount = 0;

ExeSymbol *__UICallbackSymbols = (ExeSymbol *)0;
