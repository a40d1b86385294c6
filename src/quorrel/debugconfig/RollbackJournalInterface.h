#pragma once
// The rollback journal beside a file that is rewritten in place: the old content is saved and made
// durable before the file is touched, and deleted once the new content is durable. A journal found
// later belongs to an interrupted rewrite; its content is what the file must be rolled back to.
#include <optional>
#include <string>

namespace nORVMISysAPICommon100 {

class RollbackJournalInterface {
public:
    virtual ~RollbackJournalInterface() = default;

    // The content saved by an interrupted rewrite, or nothing. An incomplete journal means the
    // rewrite never touched the file; it is deleted and nothing is returned.
    virtual std::optional<std::string> pending() = 0;
    // The same content for a reader, which may not delete anything: an incomplete journal is
    // left where it is.
    virtual std::optional<std::string> saved() = 0;
    // Saves content durably; the file may be rewritten only after this returns.
    virtual void begin(const std::string& content) = 0;
    // Deletes the journal durably: the file's content is final.
    virtual void end() = 0;
};

}  // namespace nORVMISysAPICommon100
