// Ends with its process's ANSI code page as its exit code: what a program
// of this tree gets in a prefix, with or without a manifest that asks for
// UTF-8.
#include <windows.h>

int main() { return static_cast<int>(GetACP()); }
