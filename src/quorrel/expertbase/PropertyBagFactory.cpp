#include "quorrel/expertbase/PropertyBagFactory.h"

#include <exception>

#include "common/orverr/Raise.h"
#include "common/platform/WideText.h"
#include "explorer/PropertyTags.h"
#include "quorrel/debugconfig/DeviceKey.h"
#include "quorrel/debugconfig/SettingsTrace.h"
#include "quorrel/dsc/GuidText.h"
#include "quorrel/expertbase/BagContent.h"
#include "quorrel/expertbase/DeviceRules.h"
#include "quorrel/expertbase/ItemAdders.h"
#include "quorrel/sysapicpp/CallNotes.h"
#include "quorrel/sysapicpp/CsvDynamicPropertyBag.h"
#include "quorrel/sysapicpp/Exceptions.h"

namespace nORVMISysAPICommon100 {

using nORVMDBG100::tStatus2;
namespace dpai = nORVDPAI100;

namespace {

// A storage status that failed raised as a status exception; the storage's own code is kept.
[[noreturn]] void raiseStorageStatus(const tStatus2& status, const char* file, int line) {
    ::orverr::Raise(::orverr::ErrorCode{status.getCode(), nullptr}, file, line, ORVERR_COMPONENT)
        .comment(status.getComponent())
        .raise();
}

// One read operation of the storage: every read between begin and end sees one state.
class ReadOperation {
public:
    ReadOperation(nORVMS100::iStorageSession* session, tStatus2& status)
        : reader_(dpai::beginReadOperation(session, status)) {}
    ReadOperation(const ReadOperation&) = delete;
    ReadOperation& operator=(const ReadOperation&) = delete;
    // Ended with a fresh status: a storage skips work for a status that already failed, and
    // would keep its read lock after a failed read.
    ~ReadOperation() {
        if (reader_ == nullptr) return;
        tStatus2 status;
        dpai::endReadOperation(reader_, status);
    }
    nORVMS100::tStorageSessionReaderWithLock* reader() const { return reader_; }

private:
    nORVMS100::tStorageSessionReaderWithLock* reader_;
};

struct DeviceValues {
    std::wstring name;
    std::wstring serial;
    bool simulated = false;
    int32_t busKind = 0;
    uint32_t attributeA = 0;
    uint32_t attributeB = 0;
    uint32_t attributeC = 0;
    uint32_t attributeD = 0;
};

}  // namespace

PropertyBagFactory::PropertyBagFactory(DebugSettingsStore& debugSettings) : debugSettings_(debugSettings) {
    tStatus2 status;
    session_ = dpai::getSession(L"", status);
    if (status.isFatal()) {
        tStatus2 releaseStatus;
        if (session_ != nullptr) dpai::releaseSession(session_, releaseStatus);
        session_ = nullptr;
        if (std::uncaught_exceptions() == 0) raiseStorageStatus(status, __FILE__, __LINE__);
    }
}

PropertyBagFactory::~PropertyBagFactory() {
    tStatus2 status;
    if (session_ != nullptr) dpai::releaseSession(session_, status);
}

bool PropertyBagFactory::isDeviceSupported(const tSSRawGUID& id, tStatus2& status) {
    if (status.isFatal()) return false;
    ReadOperation read(session_, status);
    tStatus2 reason;
    const bool invalid = dpai::isObjectInInvalidState(read.reader(), id, reason, status) != 0;
    const bool iviSimulated = dpai::nStorageSessionHelpers::isIVISimulated(read.reader(), id, status) != 0;
    if (invalid || iviSimulated || status.isFatal()) return false;

    tSSRawGUID classId{};
    dpai::getClassIDForObject(read.reader(), id, classId, status);
    tWCharItemAdder description;
    dpai::getSDCClassAttributeString(L"", classId, storage::kClassDescription, description, status);
    if (status.isFatal() || !classDescriptionQualifies(description.value())) return false;

    tStatus2 debugStatus;
    const bool debug = dpai::getSDCClassAttributeBool(L"", classId, storage::kClassSupportsDebug, debugStatus) != 0;
    return classDebugAttributeQualifies(debug, debugStatus.getCode());
}

bool PropertyBagFactory::listDeviceIDs(sysapicpp::IdList& out) {
    out.clear();
    tSSRawGUIDItemAdder ids;
    bool complete;
    {
        tStatus2 status;
        {
            ReadOperation read(session_, status);
            dpai::getAllObjectIDsForClass(read.reader(), storage::kDigitizerClass, ids, status);
        }
        complete = !status.isFatal();
    }
    for (const tSSRawGUID& id : ids.items()) {
        tStatus2 status;
        if (isDeviceSupported(id, status)) out.push_back(orv::dsc::guidToString(id));
        // A device whose reads failed is not listed now, but it is not "unsupported" either.
        if (status.isFatal()) complete = false;
    }
    return complete;
}

void PropertyBagFactory::createPropertyBags(sysapicpp::BagList& out, const sysapicpp::IdList& ids) {
    out.clear();
    sysapicpp::BagList built;
    std::vector<std::string> keys;
    for (const std::string& given : ids) {
        const tSSRawGUID id = orv::dsc::guidFromString(given);
        const std::string idText = orv::dsc::guidToString(id);
        tStatus2 status;
        if (!isDeviceSupported(id, status)) continue;
        IsvSysPropertyBag4* made = nullptr;
        SYSAPICPP_CHECK(sysapicpp::createPropertyBag(&made));
        sysapicpp::PropertyBagHandle bag(made);
        made->Release();
        writePlaceholderProperties(bag);
        writeConstantProperties(bag);
        writeDeviceProperties(bag, idText, id);
        keys.push_back(deviceKeyOf(bag));
        built.push_back(bag);
    }
    // One open of the debug configuration for the whole list; entries of new devices are
    // created and stored with their defaults.
    DebugSettingsFaults faults;
    const std::vector<DebugDeviceSettings> settings = debugSettings_.ensure(keys, &faults);
    // The devices are shown all the same; whoever asked hears why some show defaults.
    for (const std::string& fault : faults) {
        traceDebugSettings(fault, __FILE__, __LINE__);
        sysapicpp::CallNotes::add(fault);
    }
    for (size_t i = 0; i < built.size(); ++i) {
        built[i].setBool(kSvSysTagExpertDebugEnabled, true);
        built[i].setU32(kSvSysTagDebugSessionConfiguration,
                        static_cast<uint32_t>(settings.at(i).debugSessionConfiguration.value_or(0)));
        built[i].setBool(kSvSysTagServerIsOutOfProcess, settings.at(i).serverIsOutOfProcess);
    }
    out.swap(built);
}

void PropertyBagFactory::writeDeviceProperties(const sysapicpp::PropertyBagHandle& bag, const std::string& idText,
                                               const tSSRawGUID& id) {
    DeviceValues values;
    tStatus2 status;
    {
        ReadOperation read(session_, status);
        tWCharItemAdder text;
        dpai::getObjectStringProperty(read.reader(), id, storage::kDeviceName, text, status);
        values.name = text.value();
        dpai::getObjectStringProperty(read.reader(), id, storage::kDeviceSerial, text, status);
        values.serial = text.value();
        values.simulated = dpai::isObjectSimulated(read.reader(), id, status) != 0;
        if (!values.simulated) {
            values.busKind = dpai::getObjectI32Property(read.reader(), id, storage::kBusKind, status);
            if (busKindHasAttributesABC(values.busKind)) {
                values.attributeA = dpai::getDeviceAttributeU32(L"", id, storage::kBusAttributeA, status);
                values.attributeB = dpai::getDeviceAttributeU32(L"", id, storage::kBusAttributeB, status);
                values.attributeC = dpai::getDeviceAttributeU32(L"", id, storage::kBusAttributeC, status);
            }
            if (busKindHasAttributeD(values.busKind))
                values.attributeD = dpai::getDeviceAttributeU32(L"", id, storage::kBusAttributeD, status);
        }
    }
    // A value the storage cannot give reads as empty or 0: the device was just selected, and
    // one unreadable attribute must not hide every device from the host.

    bag.setString(kSvSysTagDeviceID, platform::utf8ToWide(idText));
    bag.setGuid(kSvSysTagStorageObjectID, orv::dsc::toGuid(id));
    bag.setString(kSvSysTagUserAlias, values.name);
    bag.setString(kSvSysTagProductName, values.serial);
    bag.setU32(kSvSysTagBusType, busNumberOf(values.busKind));
    bag.setU32(kSvSysTagChassisNumber, values.attributeA);
    bag.setU32(kSvSysTagSlotNumber, values.attributeB);
    bag.setU32(kSvSysTagSocketNumber, values.attributeC);
    bag.setU32(kSvSysTagSerialNumber, values.attributeD);
    bag.setBool(kSvSysTagIsSimulated, values.simulated);
}

}  // namespace nORVMISysAPICommon100
