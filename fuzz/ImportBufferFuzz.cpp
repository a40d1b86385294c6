// libFuzzer target: untrusted bytes imported as a document from a buffer into a simulated session.
// Every outcome must be a status exception or success; anything else (a crash, a sanitizer report,
// another exception type) is a finding.
#include <cstddef>
#include <cstdint>

#include "ImportBufferFuzzSession.h"
#include "common/orverr/Exception.h"
#include "helvar/impexp/AttributeFacadeFactory.h"
#include "helvar/impexp/ImporterExporter.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > UINT32_MAX) {
        return 0;
    }
    impexp_test::FakeIviSession session;
    impexp_fuzz::addDigitizerAttributes(session);
    impexp_test::FakeDesiredReader reader(session);
    impexp::AttributeFacadeFactory factory(session, reader);
    impexp::SessionInformation info;
    info.modelNumber = impexp_fuzz::kModelNumber;
    // Odd sizes also exercise the channel map.
    info.channels = size % 2 == 1 ? "0,1" : "";
    impexp::ImporterExporter engine(session, factory, &info);
    try {
        engine.importBuffer(static_cast<uint32_t>(size), reinterpret_cast<const char*>(data));
    } catch (const orverr::Exception&) {
    }
    return 0;
}
