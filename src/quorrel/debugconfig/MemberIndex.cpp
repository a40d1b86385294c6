#include "quorrel/debugconfig/MemberIndex.h"

#include <cjson/cJSON.h>

#include <cstring>

#include "quorrel/debugconfig/CJsonHelpers.h"

namespace nORVMISysAPICommon100 {
namespace {

uint64_t foldedHash(const char* name) {
    uint64_t hash = 14695981039346656037ull;  // FNV-1a
    for (; *name != '\0'; ++name) {
        hash = (hash ^ static_cast<unsigned char>(cjson::asciiLower(*name))) * 1099511628211ull;
    }
    return hash;
}

}  // namespace

void MemberIndex::build(const cJSON& object) {
    used_ = 0;
    caseVariants_ = false;
    std::size_t members = 0;
    if (cJSON_IsObject(&object)) {
        for (const cJSON* member = object.child; member != nullptr; member = member->next) ++members;
    }
    // Sized once for what the object holds, with room for as many again.
    std::size_t size = 16;
    while (size < members * 4) size *= 2;
    slots_.assign(size, nullptr);
    if (members == 0) return;
    for (cJSON* member = object.child; member != nullptr; member = member->next) add(member);
}

std::size_t MemberIndex::slotOf(const char* name, uint64_t hash) const {
    const std::size_t mask = slots_.size() - 1;
    std::size_t slot = static_cast<std::size_t>(hash) & mask;
    while (slots_[slot] != nullptr && !cjson::equalsIgnoringAsciiCase(slots_[slot]->string, name)) {
        slot = (slot + 1) & mask;
    }
    return slot;
}

cJSON* MemberIndex::find(const char* name) const {
    if (slots_.empty() || name == nullptr) return nullptr;
    return slots_[slotOf(name, foldedHash(name))];
}

cJSON* MemberIndex::findExact(const char* name) const {
    cJSON* first = find(name);
    if (first == nullptr) return nullptr;
    if (std::strcmp(first->string, name) == 0) return first;
    if (!caseVariants_) return nullptr;
    // A member spelt exactly so can only come after the first of its name.
    for (cJSON* member = first->next; member != nullptr; member = member->next) {
        if (member->string != nullptr && std::strcmp(member->string, name) == 0) return member;
    }
    return nullptr;
}

void MemberIndex::add(cJSON* member) {
    if (member == nullptr || member->string == nullptr) return;
    if (slots_.empty()) slots_.assign(16, nullptr);
    const std::size_t slot = slotOf(member->string, foldedHash(member->string));
    if (slots_[slot] != nullptr) {
        if (std::strcmp(slots_[slot]->string, member->string) != 0) caseVariants_ = true;
        return;
    }
    slots_[slot] = member;
    // At most half full, so probe runs stay short.
    if (++used_ * 2 > slots_.size()) grow();
}

void MemberIndex::grow() {
    std::vector<cJSON*> old(slots_.size() * 2, nullptr);
    old.swap(slots_);
    for (cJSON* member : old) {
        if (member != nullptr) slots_[slotOf(member->string, foldedHash(member->string))] = member;
    }
}

}  // namespace nORVMISysAPICommon100
