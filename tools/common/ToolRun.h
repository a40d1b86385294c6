#pragma once
// What every tool does around its work: a write past the file size limit fails with its reason
// instead of killing the process, and standard output is checked once at the end.
namespace orvtool {

// Runs body(argc, argv) and returns the process's exit code: the body's, or kOutputFailed when
// standard output could not be written (the reason goes to standard error, after "program: ").
int runTool(const char* program, int (*body)(int argc, char** argv), int argc, char** argv);

}  // namespace orvtool
