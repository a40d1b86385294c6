#pragma once
// Entry-point plumbing shared by the engine's exported functions.
#include "Engine.h"

#if defined(_WIN32)
// A module-definition file per build of the engine chooses the exports.
#define SIMIVI_EXPORT extern "C"
#else
#define SIMIVI_EXPORT extern "C" __attribute__((visibility("default")))
#endif

// Counts the call of the enclosing function and applies an injected failure (returning its status,
// converted to the function's result type).
#define SIMIVI_ENTER_AS(ResultType, attributeId)                                                           \
    const SimIvi_CallToken simiviToken = simivi::Engine::instance().injections().begin(__func__, attributeId); \
    if (simiviToken.action == SIMIVI_INJECT_FAIL) return static_cast<ResultType>(simiviToken.status)
#define SIMIVI_ENTER(attributeId) SIMIVI_ENTER_AS(ViStatus, attributeId)
// Applies an injected warning to a successful result.
#define SIMIVI_LEAVE(result) return simivi::finishCall(simiviToken, (result))
