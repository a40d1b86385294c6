#pragma once
// Names and texts of the debug configuration store, each in one place.
#include <cstddef>
#include <cstdint>

namespace nORVMISysAPICommon100::debugconfig {

// Location: <common application data>\Orvane\Shared\Quorrel\Quorrel.config
inline constexpr const char* kVendorFolder = "\\Orvane";
inline constexpr const char* kSharedFolder = "Shared";
inline constexpr const char* kProductName = "Quorrel";
inline constexpr const char* kFileExtension = ".config";
inline constexpr char kSeparator = '\\';

// File content.
inline constexpr const char* kVersionKey = "version";
inline constexpr const char* kDevicesKey = "devices";
inline constexpr const char* kDebugSessionConfigurationKey = "debugSessionConfiguration";
inline constexpr const char* kServerIsOutOfProcessKey = "ServerIsOutOfProcess";
inline constexpr uint32_t kFormatVersion = 1;
inline constexpr uint32_t kOldestCompatibleVersion = 1;

// Elaborations.
inline constexpr const char* kUsageTypeToken = "kUsageTypeToken";
inline constexpr const char* kUsageTypeFilePath = "kUsageTypeFilePath";
inline constexpr const char* kUsageTypeFileVersion = "kUsageTypeFileVersion";
inline constexpr const char* kUsageTypeSupportedVersion = "kUsageTypeSupportedVersion";
inline constexpr const char* kUsageTypeOldestCompatibleVersion = "kUsageTypeOldestCompatibleVersion";
inline constexpr const char* kUsageTypeLineNumber = "kUsageTypeLineNumber";
inline constexpr const char* kUsageTypePositionInLine = "kUsageTypePositionInLine";

// Messages.
inline constexpr const char* kShellFolderFailed = "SHGetFolderPathW failed";
inline constexpr const char* kOpenFailed = "Failed to open file";
inline constexpr const char* kNotOpen = "File is not open";
inline constexpr const char* kLockFailed = "Failed to lock file";
inline constexpr const char* kLockHeldElsewhere = "Another process holds the lock on the file";
inline constexpr const char* kLockSlowWait = "the lock was held by another process for";
inline constexpr const char* kReadOnly = "Failed to write file: it could only be opened for reading";
inline constexpr const char* kNotJson = "The file is not one JSON value";
inline constexpr const char* kUnlockFailed = "Failed to unlock file";
inline constexpr const char* kReadFailed = "Failed to read file";
inline constexpr const char* kWriteFailed = "Failed to write file";
inline constexpr const char* kFlushFailed = "Failed to flush file";
inline constexpr const char* kDeleteFailed = "Failed to delete file";
inline constexpr const char* kRollbackFailed = "Failed to roll back file";
inline constexpr const char* kPrintFailed = "Failed to print the debug configuration";
inline constexpr const char* kOutOfMemory = "Out of memory building the debug configuration";

// The rollback journal beside the file ("Quorrel.config-journal"), and its header's first word.
inline constexpr const char* kJournalSuffix = "-journal";
inline constexpr char kJournalMagic[] = "QuorrelJournal1";

// Opening: one plain try, then this many attempts that create a missing file, this far apart.
inline constexpr int kOpenAttempts = 6;
inline constexpr uint32_t kOpenRetryMilliseconds = 10;
// Waiting for the file lock: polled this often at first, backing off to the longer interval,
// and given up after the timeout (the environment variable, in milliseconds, may set another).
inline constexpr uint32_t kLockPollFirstMilliseconds = 1;
inline constexpr uint32_t kLockPollMaxMilliseconds = 4;
inline constexpr uint32_t kLockTimeoutMilliseconds = 10000;
inline constexpr const char* kLockTimeoutVariable = "ORV_QUORREL_LOCK_TIMEOUT_MS";
// A wait at least this long is traced when it ends.
inline constexpr uint32_t kLockSlowWaitMilliseconds = 1000;

// Reads go in chunks of this size until one comes back short.
inline constexpr std::size_t kReadChunk = 128;

}  // namespace nORVMISysAPICommon100::debugconfig
