#include <windows.h>

// The LED window is not built yet: end at once.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) { return 1; }
