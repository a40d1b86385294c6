#pragma once
// The exit codes every tool of the package answers with, as their man pages state them.

namespace orvtool {

enum ExitCode {
    kOk = 0,            // done
    kRefused = 1,       // the library, the driver or the plug-in refused the request
    kUsage = 2,         // the command line is wrong
    kEnvironment = 3,   // a driver, engine, plug-in or folder the tool needs is missing or unusable
    kOutputFailed = 4,  // the output (standard output or the file written) could not be written
};

}  // namespace orvtool
