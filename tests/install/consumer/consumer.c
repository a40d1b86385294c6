/* Calls the library as an application would; no engine is installed beside it, so
   initialising a session must fail with a status, not crash. */
#include <Helvar.h>
#include <stdio.h>

int main(void) {
    ViStatus status = Helvar_Initialize(0);
    printf("Helvar_Initialize(0) = %d\n", (int)status);
    return status < 0 ? 0 : 1;
}
