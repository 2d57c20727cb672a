// TF3D start-up. The analysis core is complete; the window comes next.
#include <cstdio>

int main()
{
    std::puts("Trussforge3D: the 3D window is not available in this build yet.\n"
              "The model store and analysis are built and tested: run 'make test'.");
    return 0;
}
