#include "quorrel/sysapicpp/NotificationHandler.h"

namespace sysapicpp {

void NotificationHandler::notify(uint32_t kind, const std::string& id) { notify(kind, std::vector<std::string>{id}); }

}  // namespace sysapicpp
