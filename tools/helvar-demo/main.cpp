// helvar-demo: opens a simulated Digiscan session, attaches Helvar, shows the registered session
// object and provokes two failures, printing each status and the error Helvar recorded.
//
//   helvar-demo [option string]     e.g. helvar-demo "Simulate=1,DriverSetup=Model:5124;Language:2"
#include <cstdio>
#include <string>

#include "Digiscan.h"
#include "Helvar.h"
#include "IviEngine.h"

namespace {

void printPendingError(const char* title, ViSession handle) {
    ViStatus primary = 0;
    ViStatus secondary = 0;
    ViChar elaboration[256] = {};
    const ViStatus status = Ivi_GetErrorInfo(handle, &primary, &secondary, elaboration);
    std::printf("  pending error of %s (handle %u):", title, static_cast<unsigned>(handle));
    if (status < 0) {
        std::printf(" unavailable (status %d)\n", static_cast<int>(status));
        return;
    }
    std::printf(" primary %d, secondary %d\n", static_cast<int>(primary), static_cast<int>(secondary));
    if (elaboration[0]) std::printf("  description: %s\n", elaboration);
}

void showSessionObject(ViSession vi) {
    if (Ivi_AttributeIsAvailable(vi, HELVAR_ATTR_SESSION_OBJECT) != VI_TRUE) {
        std::printf("  attribute %d: not present\n", HELVAR_ATTR_SESSION_OBJECT);
        return;
    }
    ViChar name[256] = {};
    ViAddr address = nullptr;
    Ivi_GetAttributeName(vi, HELVAR_ATTR_SESSION_OBJECT, sizeof name, name);
    Ivi_GetAttributeViAddr(vi, nullptr, HELVAR_ATTR_SESSION_OBJECT, 0, &address);
    std::printf("  attribute %d \"%s\" holds the session object at %p\n", HELVAR_ATTR_SESSION_OBJECT, name, address);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h")) {
        std::printf("usage: helvar-demo [OPTION-STRING]\n"
                    "Opens a simulated digitizer session, attaches Helvar, shows the registered session\n"
                    "object and provokes two failures, printing each status and the recorded error.\n\n"
                    "example:\n  helvar-demo \"Simulate=1,DriverSetup=Model:5124;Language:2\"\n");
        return 0;
    }
    const std::string options = argc > 1 ? argv[1] : "Simulate=1,RangeCheck=1,Cache=1,DriverSetup=";
    ViSession vi = 0;
    ViStatus status = Digiscan_InitWithOptions("PXI1::0::INSTR", VI_FALSE, VI_FALSE, options.c_str(), &vi);
    std::printf("Digiscan_InitWithOptions(\"%s\") -> %d, session %u\n", options.c_str(), static_cast<int>(status),
                static_cast<unsigned>(vi));
    if (status < 0) return 1;

    std::printf("\n1. An operation before Helvar is attached\n");
    status = Helvar_SaveAttributes(vi);
    std::printf("  Helvar_SaveAttributes -> %d\n", static_cast<int>(status));
    printPendingError("the session", vi);

    std::printf("\n2. Attaching Helvar\n");
    status = Helvar_Initialize(vi);
    std::printf("  Helvar_Initialize -> %d\n", static_cast<int>(status));
    showSessionObject(vi);

    std::printf("\n3. Attaching a second time\n");
    status = Helvar_Initialize(vi);
    std::printf("  Helvar_Initialize -> %d\n", static_cast<int>(status));
    printPendingError("the null handle", VI_NULL);
    showSessionObject(vi);

    std::printf("\n4. Detaching\n");
    status = Helvar_Close(vi);
    std::printf("  Helvar_Close -> %d\n", static_cast<int>(status));
    showSessionObject(vi);
    status = Helvar_Close(vi);
    std::printf("  Helvar_Close again -> %d\n", static_cast<int>(status));
    printPendingError("the null handle", VI_NULL);

    Digiscan_close(vi);
    return 0;
}
