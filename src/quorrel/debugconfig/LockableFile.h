#pragma once
#include <memory>
#include <mutex>
#include <string>

#include "common/platform/LockedFile.h"
#include "quorrel/debugconfig/LockableFileInterface.h"

namespace nORVMISysAPICommon100 {

class LockableFile final : public LockableFileInterface {
public:
    explicit LockableFile(platform::LockedFileSystemInterface& system = platform::lockedFileSystem());
    LockableFile(const LockableFile&) = delete;
    LockableFile& operator=(const LockableFile&) = delete;
    // Unlocks and closes on every path.
    ~LockableFile() override;

    void open(const std::string& path, bool create) override;
    void lock() override;
    void unlock() override;
    bool isLocked() const override { return locked_; }
    std::string read() override;
    void write(const std::string& text) override;
    void close() override;

private:
    std::unique_ptr<platform::LockedFileInterface> tryOpen(bool create, platform::OsError& error);
    platform::LockedFileInterface& openFile();

    platform::LockedFileSystemInterface& system_;
    std::unique_ptr<platform::LockedFileInterface> file_;
    bool locked_ = false;
    std::recursive_mutex section_;
    std::string path_;
};

}  // namespace nORVMISysAPICommon100
