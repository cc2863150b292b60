// A user program of GmRTDLL.dll: GmRTUser <GmRTDLL.dll path> <export>... loads the library, calls
// each named export in order and prints "<export> <result>". Exit code: 0 when every call
// returned 0, 1 when one did not, 2 when the library or an export could not be found.
#include <windows.h>

#include <cstdio>

typedef int(CDECL* EXPORT)(void);

int main(int argc, char** argv)
{
    if (argc < 2)
    {
        std::fprintf(stderr, "usage: GmRTUser <GmRTDLL.dll path> <export>...\n");
        return 2;
    }
    HMODULE library = LoadLibrary(argv[1]);
    if (library == NULL)
    {
        std::fprintf(stderr, "LoadLibrary(%s) failed: %u\n", argv[1], static_cast<unsigned>(GetLastError()));
        return 2;
    }
    int exitCode = 0;
    for (int i = 2; i < argc; ++i)
    {
        EXPORT function = reinterpret_cast<EXPORT>(reinterpret_cast<void (*)()>(GetProcAddress(library, argv[i])));
        if (function == NULL)
        {
            std::fprintf(stderr, "no export %s\n", argv[i]);
            exitCode = 2;
            break;
        }
        const int result = function();
        std::printf("%s %d\n", argv[i], result);
        if (result != 0)
            exitCode = 1;
    }
    FreeLibrary(library);
    return exitCode;
}
