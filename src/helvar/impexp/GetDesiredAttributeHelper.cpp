#include "helvar/impexp/GetDesiredAttributeHelper.h"

#include <vector>

#include "common/orverr/Exception.h"
#include "common/orverr/Raise.h"
#include "helvar/orvdynlib/DynLib.h"

namespace impexp {

namespace {

constexpr const char* kDriverLibrary = "Digiscan2u.dll";
// Asks the driver for the value the user requested rather than the coerced one.
constexpr ViInt32 kDesiredValueOptions = 1;

template <class T>
struct DriverEntry;
#define ORV_DRIVER_ENTRY(T)                                                                             \
    template <>                                                                                         \
    struct DriverEntry<T> {                                                                             \
        using Function = ViStatus (*)(ViSession, ViConstString, ViAttr, ViInt32, T*);                   \
        static constexpr const char* kName = "DigiscanSub_GetAttributeWithOptions" #T;                  \
    };
ORV_DRIVER_ENTRY(ViInt32)
ORV_DRIVER_ENTRY(ViInt64)
ORV_DRIVER_ENTRY(ViReal64)
ORV_DRIVER_ENTRY(ViBoolean)
ORV_DRIVER_ENTRY(ViSession)
ORV_DRIVER_ENTRY(ViAddr)
#undef ORV_DRIVER_ENTRY
constexpr const char* kStringEntry = "DigiscanSub_GetAttributeWithOptionsViString";
using StringFunction = ViInt32 (*)(ViSession, ViConstString, ViAttr, ViInt32, ViInt32, ViChar*);

// The driver library for the length of one read.
class DriverLibrary {
public:
    DriverLibrary() : library_(orvdynlib::load(kDriverLibrary, orverr::ThrowOnErrorStatus())) {}
    template <class Function>
    Function entry(const char* name) {
        return reinterpret_cast<Function>(orvdynlib::symbol(library_.get(), name, orverr::ThrowOnErrorStatus()));
    }

private:
    orvdynlib::ScopedLibrary library_;
};

// Errors are raised like the engine's; warnings become the session's pending error.
void check(miivi::IviWrapperInterface& wrapper, ViStatus status) {
    if (status < 0) ORVERR_THROW_ENGINE(status);
    if (status > 0) wrapper.Ivi_SetErrorInfo(VI_FALSE, status, VI_SUCCESS, nullptr);
}

template <class T>
void readScalar(miivi::IviWrapperInterface& wrapper, ViConstString channel, ViAttr id, T* value) {
    const ViSession vi = wrapper.getSession();
    DriverLibrary driver;
    auto read = driver.entry<typename DriverEntry<T>::Function>(DriverEntry<T>::kName);
    check(wrapper, read(vi, channel, id, kDesiredValueOptions, value));
}

}  // namespace

void GetDesiredAttributeHelper::getAttributeViBoolean(miivi::IviWrapperInterface& wrapper, ViConstString channel,
                                                      ViAttr id, ViBoolean* value) {
    readScalar(wrapper, channel, id, value);
}
void GetDesiredAttributeHelper::getAttributeViSession(miivi::IviWrapperInterface& wrapper, ViConstString channel,
                                                      ViAttr id, ViSession* value) {
    readScalar(wrapper, channel, id, value);
}
void GetDesiredAttributeHelper::getAttributeViAddr(miivi::IviWrapperInterface& wrapper, ViConstString channel,
                                                   ViAttr id, ViAddr* value) {
    readScalar(wrapper, channel, id, value);
}
void GetDesiredAttributeHelper::getAttributeViReal64(miivi::IviWrapperInterface& wrapper, ViConstString channel,
                                                     ViAttr id, ViReal64* value) {
    readScalar(wrapper, channel, id, value);
}
void GetDesiredAttributeHelper::getAttributeViInt64(miivi::IviWrapperInterface& wrapper, ViConstString channel,
                                                    ViAttr id, ViInt64* value) {
    readScalar(wrapper, channel, id, value);
}
void GetDesiredAttributeHelper::getAttributeViInt32(miivi::IviWrapperInterface& wrapper, ViConstString channel,
                                                    ViAttr id, ViInt32* value) {
    readScalar(wrapper, channel, id, value);
}

void GetDesiredAttributeHelper::getAttributeViString(miivi::IviWrapperInterface& wrapper, ViConstString channel,
                                                     ViAttr id, std::string& value) {
    const ViSession vi = wrapper.getSession();
    DriverLibrary driver;
    auto read = driver.entry<StringFunction>(kStringEntry);
    const ViInt32 needed = read(vi, channel, id, kDesiredValueOptions, 0, nullptr);
    if (needed == 0) {
        value.clear();
        return;
    }
    if (needed < 0) ORVERR_THROW_ENGINE(needed);
    std::vector<ViChar> buffer(static_cast<std::size_t>(needed) + 1, '\0');
    check(wrapper, read(vi, channel, id, kDesiredValueOptions, needed, buffer.data()));
    buffer.back() = '\0';
    value.assign(buffer.data());
}

}  // namespace impexp
