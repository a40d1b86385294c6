#include "quorrel/debugconfig/RollbackJournal.h"

#include <cinttypes>
#include <cstdio>

#include "quorrel/debugconfig/DebugConfigNames.h"
#include "quorrel/debugconfig/FileStatus.h"

namespace nORVMISysAPICommon100 {

namespace names = debugconfig;
using orverr::codes::kPlatformEndOfData;

namespace {

// A header line "<magic> <size> <checksum>" in fixed-width hex, then the content: a journal cut
// short by a crash or a full disk never passes for a complete one.
constexpr std::size_t kHeaderSize = sizeof(names::kJournalMagic) - 1 + 1 + 16 + 1 + 16 + 1;

uint64_t checksum(const std::string& bytes) {
    uint64_t hash = 14695981039346656037ULL;  // FNV-1a
    for (unsigned char c : bytes) {
        hash ^= c;
        hash *= 1099511628211ULL;
    }
    return hash;
}

std::string header(uint64_t size, uint64_t sum) {
    char text[kHeaderSize + 1];
    std::snprintf(text, sizeof text, "%s %016" PRIx64 " %016" PRIx64 "\n", names::kJournalMagic, size, sum);
    return std::string(text, kHeaderSize);
}

}  // namespace

RollbackJournal::RollbackJournal(platform::LockedFileSystemInterface& system, const std::string& filePath)
    : system_(system), path_(filePath + names::kJournalSuffix) {}

std::string RollbackJournal::encode(const std::string& content) {
    return header(content.size(), checksum(content)) + content;
}

std::optional<std::string> RollbackJournal::decode(const std::string& bytes) {
    if (bytes.size() < kHeaderSize) return std::nullopt;
    std::string content = bytes.substr(kHeaderSize);
    if (bytes.compare(0, kHeaderSize, header(content.size(), checksum(content))) != 0) return std::nullopt;
    return content;
}

std::optional<std::string> RollbackJournal::bytes() {
    platform::OsError error;
    std::unique_ptr<platform::LockedFileInterface> journal =
        system_.openExisting(path_, error, platform::FileAccess::kReadOnly);
    if (!journal) {
        if (error.missing) return std::nullopt;
        QUORREL_RAISE_FILE_ERROR(kPlatformEndOfData, names::kReadFailed, path_, &error);
    }
    std::string bytes;
    char chunk[4096];
    size_t count = 0;
    do {
        if (!journal->read(chunk, sizeof chunk, count, error)) {
            QUORREL_RAISE_FILE_ERROR(kPlatformEndOfData, names::kReadFailed, path_, &error);
        }
        bytes.append(chunk, count);
    } while (count == sizeof chunk);
    return bytes;
}

std::optional<std::string> RollbackJournal::pending() {
    const std::optional<std::string> found = bytes();
    if (!found) return std::nullopt;
    std::optional<std::string> content = decode(*found);
    if (!content) end();
    return content;
}

std::optional<std::string> RollbackJournal::saved() {
    const std::optional<std::string> found = bytes();
    return found ? decode(*found) : std::nullopt;
}

void RollbackJournal::begin(const std::string& content) {
    platform::OsError error;
    // A journal left here is stale: pending() ran under the same lock.
    if (!system_.remove(path_, error) || !system_.createNew(path_, error)) {
        QUORREL_RAISE_FILE_ERROR(kPlatformEndOfData, names::kWriteFailed, path_, &error);
    }
    std::unique_ptr<platform::LockedFileInterface> journal = system_.openExisting(path_, error);
    const std::string bytes = encode(content);
    const bool saved = journal && journal->write(bytes.data(), bytes.size(), error) && journal->commit(error);
    journal.reset();
    // The journal's name must be durable too, or a crash could lose it after the file is touched.
    if (!saved || !system_.syncFolder(path_, error)) {
        discard();
        QUORREL_RAISE_FILE_ERROR(kPlatformEndOfData, names::kWriteFailed, path_, &error);
    }
}

void RollbackJournal::end() {
    platform::OsError error;
    if (!system_.remove(path_, error)) QUORREL_RAISE_FILE_ERROR(kPlatformEndOfData, names::kDeleteFailed, path_, &error);
    // Once the name is gone the new content is the file's; should a power loss bring the journal
    // back, it only rolls the file back to its old content.
    system_.syncFolder(path_, error);
}

void RollbackJournal::discard() {
    platform::OsError ignored;
    system_.remove(path_, ignored);
}

}  // namespace nORVMISysAPICommon100
