#pragma once
// The few operating-system services the explorer host needs, in one place.
#include <string>

namespace sysvistahost {

// A loaded shared library; null handle when loading failed (error() says why).
class LoadedLibrary {
public:
    explicit LoadedLibrary(const std::string& path);
    ~LoadedLibrary();
    LoadedLibrary(const LoadedLibrary&) = delete;
    LoadedLibrary& operator=(const LoadedLibrary&) = delete;

    bool isLoaded() const { return handle_ != nullptr; }
    const std::string& error() const { return error_; }
    // Null when the library has no such export.
    void* symbol(const char* name) const;
    // Keeps the library loaded when this object goes (the explorer never unloads a plug-in
    // whose threads may still be winding down).
    void keepLoaded() { keep_ = true; }

private:
    void* handle_ = nullptr;
    bool keep_ = false;
    std::string error_;
};

// The folder of the running program, with a trailing separator.
std::string programFolder();
// The folder of the stand-ins and the plug-in in a build, with a trailing separator.
std::string libraryFolder();
// The plug-in's file name on this system.
extern const char* const kPluginFileName;
void setEnvironment(const char* name, const std::string& value);
const char* getEnvironment(const char* name);
// Writes text to a new file in the temporary folder; returns its path, "" on failure.
std::string writeTemporaryFile(const std::string& prefix, const std::string& text);
void removeFile(const std::string& path);

}  // namespace sysvistahost
