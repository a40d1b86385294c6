#pragma once
// Names and messages the text file reader and writer write into status documents.
namespace impexp {
namespace fileterms {
inline constexpr const char* kFailedToRead = "Failed to read file";
// Our own refusal: the size of such a file does not fit the reader's signed 32-bit size.
inline constexpr const char* kFileTooLarge = "File too large (2 GiB or more)";
// An export whose new content took the file's place, but whose folder could not be synced.
inline constexpr const char* kReplacedNotDurable =
    "The new document is in place, but its folder could not be synced: a system crash may bring back the old one.";
}  // namespace fileterms
}  // namespace impexp
