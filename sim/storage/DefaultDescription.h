#pragma once

namespace orvsim {
namespace storage {

const char* defaultDescription();

}  // namespace storage
}  // namespace orvsim
