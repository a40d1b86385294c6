#pragma once
// The members of one cJSON object by name, compared without regard to ASCII case: the first member
// of each name, as a scan from the front would find it. Built once per load, so a lookup does not
// walk a device list that may hold thousands of members.
#include <cstddef>
#include <cstdint>
#include <vector>

struct cJSON;

namespace nORVMISysAPICommon100 {

class MemberIndex {
public:
    // Every member of object in order (nothing when it is not an object). The names are read from
    // the members, which must outlive the index and keep their names.
    void build(const cJSON& object);
    // The first member whose name equals name without regard to ASCII case, or null.
    cJSON* find(const char* name) const;
    // The first member whose name equals name exactly, or null.
    cJSON* findExact(const char* name) const;
    // A member appended to the object; ignored when an earlier member has its name.
    void add(cJSON* member);

private:
    // The slot that holds name's member, or the empty slot where it would go.
    std::size_t slotOf(const char* name, uint64_t hash) const;
    void grow();

    std::vector<cJSON*> slots_;
    std::size_t used_ = 0;
    // Some names differ from an earlier member's only in case: exact lookups must then look further.
    bool caseVariants_ = false;
};

}  // namespace nORVMISysAPICommon100
