#pragma once
// The storage's built-in device description, used when no description file is named.

namespace orvsim {
namespace storage {

const char* defaultDescription();

}  // namespace storage
}  // namespace orvsim
