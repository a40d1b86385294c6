#pragma once
// The rollback journal beside a file that is rewritten in place: the old content is saved and made
// durable before the file is touched, and deleted once the new content is durable. A journal found
// later belongs to an interrupted rewrite; its content is what the file must be rolled back to.
#include <optional>
#include <string>

#include "common/platform/LockedFile.h"

namespace nORVMISysAPICommon100 {

// A journal file named after the file it protects ("<file>-journal"). Its users hold the file's
// lock while they call it.
class RollbackJournal final {
public:
    RollbackJournal(platform::LockedFileSystemInterface& system, const std::string& filePath);

    // The content saved by an interrupted rewrite, or nothing. An incomplete journal means the
    // rewrite never touched the file; it is deleted and nothing is returned.
    std::optional<std::string> pending();
    // The same content for a reader, which may not delete anything: an incomplete journal is
    // left where it is.
    std::optional<std::string> saved();
    // Saves content durably; the file may be rewritten only after this returns.
    void begin(const std::string& content);
    // Deletes the journal durably: the file's content is final.
    void end();

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
