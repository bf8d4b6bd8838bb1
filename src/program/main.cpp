// Vellumtide has no window yet: the engines beneath it are being built first.
// Until then the program says so, and reports what it can already do.
#include <cstdio>

int main()
{
    std::puts("Vellumtide: the editor window is not built yet.\n"
              "What exists today is the engine beneath it (transcript, edit plan, caption looks),\n"
              "exercised by the test suite: run tools/test.sh.");
    return 0;
}
