#pragma once
// The debug configuration file as a container: open, lock, read, write.
#include <string>

#include "common/platform/LockedFile.h"
#include "quorrel/debugconfig/ConfigContainerInterface.h"
#include "quorrel/debugconfig/LockableFile.h"

namespace nORVMISysAPICommon100 {

// The debug configuration file, opened for the container's life; created when missing unless the
// caller only reads what is there.
class ConfigContainer final : public ConfigContainerInterface {
public:
    explicit ConfigContainer(const std::string& path,
                             platform::LockedFileSystemInterface& system = platform::lockedFileSystem(),
                             bool create = true);

    void lock() override { file_.lock(); }
    void unlock() override { file_.unlock(); }
    std::string read() override { return file_.read(); }
    void write(const std::string& text) override { file_.write(text); }
    std::string path() const override { return path_; }

private:
    std::string path_;
    LockableFile file_;
};

}  // namespace nORVMISysAPICommon100
