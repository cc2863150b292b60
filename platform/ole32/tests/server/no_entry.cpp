// A module that loads but is no COM server: it has no DllGetClassObject.
extern "C" __attribute__((visibility("default"))) int NotAServer() { return 0; }
