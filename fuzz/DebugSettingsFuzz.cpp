// The debug settings file is shared by every process on the machine and may be edited by hand:
// any text must be refused with a status or read, edited and written back.
#include <cstddef>
#include <cstdint>
#include <exception>
#include <string>
#include <vector>

#include "quorrel/debugconfig/ConfigContainerInterface.h"
#include "quorrel/debugconfig/DebugConfiguration.h"
#include "quorrel/debugconfig/DebugDeviceEntryFactory.h"

namespace {

using namespace nORVMISysAPICommon100;

// The file as the fuzzer hands it in; what is written back stays in memory.
class TextContainer final : public ConfigContainerInterface {
public:
    explicit TextContainer(std::string text) : text_(std::move(text)) {}
    void lock() override {}
    void unlock() override {}
    std::string read() override { return text_; }
    void write(const std::string& text) override { text_ = text; }
    std::string path() const override { return "Quorrel.config"; }

private:
    std::string text_;
};

void readEditAndSave(TextContainer& container, const DebugDeviceEntryFactory& factory, std::vector<std::string>& keys) {
    DebugConfiguration configuration(container, factory);
    for (const std::string& key : keys) {
        auto entry = configuration.getEntry(key);
        (void)entry->getDebugSessionConfiguration();
        (void)entry->getServerIsOutOfProcess();
    }
    configuration.getOrCreateEntry("{D1A50001-0C2E-4B7A-8E11-5A0000000001}", DebugDeviceEntryValues{true, 0, true}, true);
    configuration.save();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TextContainer container(std::string(reinterpret_cast<const char*>(data), size));
    DebugDeviceEntryFactory factory;
    // Keys to look up: a few spellings that a hand edit might use.
    std::vector<std::string> keys = {"{D1A50001-0C2E-4B7A-8E11-5A0000000001}", "{d1a50001-0c2e-4b7a-8e11-5a0000000001}"};
    try {
        readEditAndSave(container, factory, keys);
    } catch (const std::exception&) {
        return 0;  // refused with a status (or a numeric conversion failure): fine
    }
    // What was written must read back.
    try {
        keys.clear();
        readEditAndSave(container, factory, keys);
    } catch (const std::exception&) {
        __builtin_trap();
    }
    return 0;
}
