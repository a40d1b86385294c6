#include "quorrel/digiscan/ExpertFactory.h"

#include "quorrel/digiscan/DigiscanSysAPIExpert.h"
#include "quorrel/sysapicpp/ExpertAdapter.h"

namespace nQuorrel100 {

using DigiscanExpertObject = CORVComObject<sysapicpp::ExpertAdapter<DigiscanSysAPIExpert>>;

HRESULT createExpertObject(void** expert) noexcept {
    if (expert == nullptr) return E_POINTER;
    *expert = nullptr;
    // The creation reports its failure (out of memory) as an HRESULT: nothing here throws.
    CORVComPtr<DigiscanExpertObject> object;
    const HRESULT hr = DigiscanExpertObject::createInstance(object);
    if (FAILED(hr)) return hr;
    // The creation's one reference goes to the host.
    *expert = static_cast<IsvSysExpert2*>(object.detach());
    return S_OK;
}

}  // namespace nQuorrel100
