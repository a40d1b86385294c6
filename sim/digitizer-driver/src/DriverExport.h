#pragma once
// How the driver's entry points are exported.
#if defined(_WIN32)
#define DIGISCAN_EXPORT extern "C" __declspec(dllexport)
#else
#define DIGISCAN_EXPORT extern "C" __attribute__((visibility("default")))
#endif
