#pragma once
// Texts this layer writes into status documents.
namespace miivi {

inline constexpr const char* kNullParameterComment = "Null parameter received.";

}  // namespace miivi
