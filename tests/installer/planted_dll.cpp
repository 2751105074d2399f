// A DLL that a downloads folder might hold beside the installer: it must
// never be loaded once the installer has restricted the DLL search. The
// runtime's own entry point is enough for LoadLibrary to succeed.
int plantedMarker = 1;
