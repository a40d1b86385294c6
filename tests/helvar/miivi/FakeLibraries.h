#pragma once
// A library loader that serves symbols from a table, to drive the engine binding without a
// real engine.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "common/platform/DynamicLibrary.h"
#include "common/platform/NamedMutex.h"

namespace spine_test {

class FakeLibraries : public platform::DynamicLibraryInterface {
public:
    // Which Windows names load, and the symbols each one has.
    std::map<std::string, std::map<std::string, void*>> libraries;
    std::vector<std::string> loadAttempts;
    std::vector<std::string> symbolLookups;
    int loaded = 0;  // currently loaded count

    platform::LibraryHandle load(const std::string& name, platform::OsError& error) override {
        loadAttempts.push_back(name);
        auto it = libraries.find(name);
        if (it == libraries.end()) {
            error.code = 2;
            error.message = name + ": cannot open shared object file";
            return nullptr;
        }
        ++loaded;
        return &it->second;
    }
    platform::LibraryHandle findLoaded(const std::string&) override { return nullptr; }
    void* symbol(platform::LibraryHandle library, const char* name, platform::OsError& error) override {
        symbolLookups.push_back(name);
        auto& symbols = *static_cast<std::map<std::string, void*>*>(library);
        auto it = symbols.find(name);
        if (it == symbols.end()) {
            error.message = std::string("undefined symbol: ") + name;
            return nullptr;
        }
        return it->second;
    }
    void unload(platform::LibraryHandle) override { --loaded; }
};

class FakeMutexes : public platform::NamedMutexFactoryInterface {
public:
    bool refuse = false;
    std::vector<std::string> names;
    int locks = 0;
    int unlocks = 0;

    std::unique_ptr<platform::NamedMutexInterface> open(const std::string& name, platform::OsError&) override {
        names.push_back(name);
        if (refuse) return nullptr;
        return std::make_unique<Mutex>(*this);
    }

private:
    struct Mutex : platform::NamedMutexInterface {
        explicit Mutex(FakeMutexes& owner) : owner_(owner) {}
        bool lock(platform::OsError&) override { return ++owner_.locks, true; }
        void unlock() override { ++owner_.unlocks; }
        FakeMutexes& owner_;
    };
};

}  // namespace spine_test
