#pragma once
// Reads the JSON storage description (format in storage/SimStorage.h).
#include <string>

#include "StorageModel.h"

namespace orvsim {
namespace storage {

// Each returns false and sets error to a readable reason on malformed input.
bool parseDescription(const std::string& json, Content& content, std::string& error);
bool parseClass(const std::string& json, ClassRecord& record, std::string& error);
bool parseObject(const std::string& json, ObjectRecord& record, std::string& error);

}  // namespace storage
}  // namespace orvsim
