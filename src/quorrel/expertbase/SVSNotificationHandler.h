#pragma once
// Subscribes the expert's storage observer with the host's configuration for the expert's
// lifetime.
#include <cstdint>

#include "quorrel/comsupport/ComObject.h"
#include "quorrel/expertbase/SVSStorageObserver.h"
#include "quorrel/hostbinding/SvsLibraryBinding.h"

namespace nORVMISysAPICommon100 {

class SVSNotificationHandler {
public:
    // Binds the host's libraries for its configuration and subscribes; a failing HRESULT is
    // thrown as sysapicpp::HResultException, libraries that cannot be bound as a status naming
    // the registry key, the view and the path tried.
    SVSNotificationHandler(PropertyBagFactoryInterface& factory, sysapicpp::PropertyBagCache& cache,
                           sysapicpp::NotificationHandler& notifications,
                           hostbinding::SvsLibraryBinding& binding = hostbinding::svsLibraryBinding());
    SVSNotificationHandler(const SVSNotificationHandler&) = delete;
    SVSNotificationHandler& operator=(const SVSNotificationHandler&) = delete;
    // Unsubscribes once per subscription made.
    ~SVSNotificationHandler();

private:
    CORVComPtr<IsvsStorageObserver> observer_;
    CORVComPtr<IsvsConfiguration> configuration_;
    uint32_t subscriptions_ = 0;
};

}  // namespace nORVMISysAPICommon100
