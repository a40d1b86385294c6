#include "StorageTestSupport.h"

namespace simtest {

void GuidList::add(const tSSRawGUID& item, tStatus2& status) {
    if (status.isNotFatal()) ids.push_back(item);
}

void LastText::add(const wchar_t* const& item, tStatus2& status) {
    if (status.isFatal()) return;
    text = item;
    ++calls;
}

ReadScope::ReadScope() {
    session_ = nORVDPAI100::getSession(L"", status);
    reader_ = nORVDPAI100::beginReadOperation(session_, status);
}

ReadScope::~ReadScope() {
    tStatus2 end;
    nORVDPAI100::endReadOperation(reader_, end);
    nORVDPAI100::releaseSession(session_, end);
}

tSSRawGUID guid(const char* text) {
    tSSRawGUID id{};
    SimStorage_parseGuid(text, &id);
    return id;
}

std::string text(const tSSRawGUID& id) {
    char buffer[40];
    SimStorage_formatGuid(&id, buffer, sizeof buffer);
    return buffer;
}

std::vector<std::string> deviceIDs() {
    ReadScope scope;
    GuidList list;
    nORVDPAI100::getAllObjectIDsForClass(scope.reader(), SIMSTORAGE_DEVICE_CLASS, list, scope.status);
    std::vector<std::string> result;
    for (const tSSRawGUID& id : list.ids) result.push_back(text(id));
    return result;
}

bool selectedByExpertRule(const tSSRawGUID& id) {
    ReadScope scope;
    tStatus2 reason;
    if (nORVDPAI100::isObjectInInvalidState(scope.reader(), id, reason, scope.status)) return false;
    if (nORVDPAI100::nStorageSessionHelpers::isIVISimulated(scope.reader(), id, scope.status)) return false;
    tSSRawGUID classID{};
    nORVDPAI100::getClassIDForObject(scope.reader(), id, classID, scope.status);
    LastText name;
    nORVDPAI100::getSDCClassAttributeString(L"", classID, 10817, name, scope.status);
    if (scope.status.isFatal() || name.text.find(L"HSDR") == std::wstring::npos) return false;
    tStatus2 own;
    bool registered = nORVDPAI100::getSDCClassAttributeBool(L"", classID, 12426, own) != 0;
    return registered && own.isNotFatal();
}

std::vector<std::string> selectedDevices() {
    std::vector<std::string> result;
    for (const std::string& id : deviceIDs())
        if (selectedByExpertRule(guid(id.c_str()))) result.push_back(id);
    return result;
}

}  // namespace simtest
