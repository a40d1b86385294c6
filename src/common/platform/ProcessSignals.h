#pragma once
// Process-wide signal settings for programs.

namespace platform {

// A write past the process's file size limit then fails with its reason ("File too large")
// instead of the system ending the process. For programs: a library leaves signals alone.
void ignoreFileSizeLimitSignal();

}  // namespace platform
