#pragma once
// Control of the explorer stand-in (libsvs.so) for tests; not part of the real library.
#include <stdint.h>

#include "palu/Export.h"

#ifdef __cplusplus
extern "C" {
#endif

// Observers currently subscribed, across all configuration objects.
SVS_API uint32_t SimSvs_getSubscriptionCount(void);
// Configuration objects currently alive.
SVS_API uint32_t SimSvs_getConfigurationCount(void);
// Makes svsGetConfiguration fail with hr (0: succeed again).
SVS_API void SimSvs_setConfigurationFailure(int32_t hr);
// Makes Subscribe fail with hr (0: succeed again).
SVS_API void SimSvs_setSubscribeFailure(int32_t hr);
// Makes IsvsObject::GetID of the objects handed to observers fail with hr (0: succeed again).
SVS_API void SimSvs_setGetIDFailure(int32_t hr);

// The configuration's storage events are those of the storage stand-in (storage/SimStorage.h):
// each change made there reaches every subscribed observer as OnBeginBatch, one
// OnObjectAdded / OnObjectChanged / OnObjectRemoved, OnEndBatch, on the changing thread.
// An observer subscribed during a batch takes part from the next batch on.

#ifdef __cplusplus
}
#endif
