#include "quorrel/sysapicpp/Expert.h"

#include "common/orverr/Exception.h"
#include "quorrel/sysapicpp/Exceptions.h"

namespace sysapicpp {

void ExpertInfo::getComponentName(std::string& out) { out = ORVERR_COMPONENT; }
void Expert::getComponentName(std::string& out) { out = ORVERR_COMPONENT; }

void Expert::executeCommand(const std::string&, const std::string&, uint32_t, std::string&, uint32_t&) {
    SYSAPICPP_THROW(NotImplException);
}

void Expert::unsupported14() { SYSAPICPP_THROW(NotImplException); }

HRESULT Expert::translateCurrentException(std::string* message) {
    try {
        throw;
    } catch (const orverr::ExceptionBase& error) {
        if (message != nullptr) *message = error.documentText();
        return E_FAIL;
    }
}

}  // namespace sysapicpp
