#pragma once
// Helpers of the storage tests: adders, a session with one read operation, and the expert's
// selection rule as the storage content is meant to exercise it.
#include <string>
#include <vector>

#include "storage/SimStorage.h"
#include "storage/StorageAccess.h"

namespace simtest {

using nORVMDBG100::tStatus2;

class GuidList : public nORVDPAI100::iItemAdder<tSSRawGUID> {
public:
    void add(const tSSRawGUID& item, tStatus2& status) override;
    std::vector<tSSRawGUID> ids;
};

class LastText : public nORVDPAI100::iItemAdder<const wchar_t*> {
public:
    void add(const wchar_t* const& item, tStatus2& status) override;
    std::wstring text;
    int calls = 0;
};

// A session and one read operation, both ended on destruction.
class ReadScope {
public:
    ReadScope();
    ~ReadScope();
    nORVMS100::tStorageSessionReaderWithLock* reader() const { return reader_; }
    tStatus2 status;

private:
    nORVMS100::iStorageSession* session_ = nullptr;
    nORVMS100::tStorageSessionReaderWithLock* reader_ = nullptr;
};

tSSRawGUID guid(const char* text);
std::string text(const tSSRawGUID& id);
std::vector<std::string> deviceIDs();
// Valid state, not simulated through IVI, class text containing "HSDR" and class attribute 12426 true.
bool selectedByExpertRule(const tSSRawGUID& id);
std::vector<std::string> selectedDevices();

}  // namespace simtest
