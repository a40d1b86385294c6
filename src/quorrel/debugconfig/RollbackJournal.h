#pragma once
// The rollback journal of a lockable file.
#include <string>

#include "common/platform/LockedFile.h"
#include "quorrel/debugconfig/RollbackJournalInterface.h"

namespace nORVMISysAPICommon100 {

// A journal file named after the file it protects ("<file>-journal"). Its users hold the file's
// lock while they call it.
class RollbackJournal final : public RollbackJournalInterface {
public:
    RollbackJournal(platform::LockedFileSystemInterface& system, const std::string& filePath);

    std::optional<std::string> pending() override;
    std::optional<std::string> saved() override;
    void begin(const std::string& content) override;
    void end() override;

    const std::string& path() const { return path_; }

    // The journal's bytes for content, and the content back from complete bytes.
    static std::string encode(const std::string& content);
    static std::optional<std::string> decode(const std::string& bytes);

private:
    void discard();
    // The journal's bytes; nothing when there is no journal.
    std::optional<std::string> bytes();

    platform::LockedFileSystemInterface& system_;
    std::string path_;
};

}  // namespace nORVMISysAPICommon100
