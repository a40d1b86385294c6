#include "quorrel/digiscan/ExpertFactory.h"

#include <exception>
#include <new>

#include "quorrel/digiscan/DigiscanSysAPIExpert.h"
#include "quorrel/sysapicpp/ExpertAdapter.h"

namespace nQuorrel100 {

using DigiscanExpertObject = CORVComObject<sysapicpp::ExpertAdapter<DigiscanSysAPIExpert>>;

HRESULT createExpertObject(void** expert) noexcept {
    if (expert == nullptr) return E_POINTER;
    *expert = nullptr;
    try {
        CORVComPtr<DigiscanExpertObject> object;
        const HRESULT hr = DigiscanExpertObject::createInstance(object);
        if (FAILED(hr)) throw hr;
        // The creation's one reference goes to the host.
        *expert = static_cast<IsvSysExpert2*>(object.detach());
        return S_OK;
    } catch (HRESULT hr) {
        return hr;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (const std::exception&) {
        return E_FAIL;
    } catch (...) {
        return E_FAIL;
    }
}

}  // namespace nQuorrel100
