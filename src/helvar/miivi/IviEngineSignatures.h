#pragma once
// Spells out the parameter and argument lists of an engine function from its entry in the
// engine table (IviEngineNames.def). A list is parenthesised and may be empty.
#include "IviTypes.h"

#define MIIVI_UNPAREN(...) __VA_ARGS__
// Expands the list before the macro sees it, so that an empty list is seen as empty.
#define MIIVI_APPLY(macro, arguments) macro arguments
#define MIIVI_PREPEND(first, list) MIIVI_APPLY(MIIVI_PREPEND_, (first, MIIVI_UNPAREN list))
#define MIIVI_PREPEND_(first, ...) (first __VA_OPT__(, ) __VA_ARGS__)
#define MIIVI_APPEND(list, last) MIIVI_APPLY(MIIVI_APPEND_, (last, MIIVI_UNPAREN list))
#define MIIVI_APPEND_(last, ...) (__VA_ARGS__ __VA_OPT__(, ) last)

// The engine's own parameters, and the arguments of a call that passes the given session.
#define MIIVI_ENGINE_PARAMETERS(form, parameters) MIIVI_ENGINE_PARAMETERS_##form(parameters)
#define MIIVI_ENGINE_PARAMETERS_SESSION(parameters) MIIVI_PREPEND(ViSession vi, parameters)
#define MIIVI_ENGINE_PARAMETERS_NO_SESSION(parameters) parameters
#define MIIVI_ENGINE_ARGUMENTS(form, session, arguments) MIIVI_ENGINE_ARGUMENTS_##form(session, arguments)
#define MIIVI_ENGINE_ARGUMENTS_SESSION(session, arguments) MIIVI_PREPEND(session, arguments)
#define MIIVI_ENGINE_ARGUMENTS_NO_SESSION(session, arguments) arguments

// The wrapper's operation: the given declaration where the wrapper offers the function.
#define MIIVI_IF_WRAPPED(use, ...) MIIVI_IF_WRAPPED_##use(__VA_ARGS__)
#define MIIVI_IF_WRAPPED_RAISING(...) __VA_ARGS__
#define MIIVI_IF_WRAPPED_RAISING_CUSTOM(...) __VA_ARGS__
#define MIIVI_IF_WRAPPED_SIZING(...) __VA_ARGS__
#define MIIVI_IF_WRAPPED_QUERY(...) __VA_ARGS__
#define MIIVI_IF_WRAPPED_AVAILABILITY(...) __VA_ARGS__
#define MIIVI_IF_WRAPPED_UNWRAPPED_QUERY(...)
#define MIIVI_IF_WRAPPED_UNWRAPPED_CUSTOM(...)

// The operation's parameters: the engine's after the session handle, then ignoreErrors (given as
// the whole parameter, with or without its default) for the kinds that raise.
#define MIIVI_WRAPPER_PARAMETERS(use, parameters, ignoreErrors) MIIVI_WRAPPER_PARAMETERS_##use(parameters, ignoreErrors)
#define MIIVI_WRAPPER_PARAMETERS_RAISING(parameters, ignoreErrors) MIIVI_APPEND(parameters, ignoreErrors)
#define MIIVI_WRAPPER_PARAMETERS_RAISING_CUSTOM(parameters, ignoreErrors) MIIVI_APPEND(parameters, ignoreErrors)
#define MIIVI_WRAPPER_PARAMETERS_SIZING(parameters, ignoreErrors) MIIVI_APPEND(parameters, ignoreErrors)
#define MIIVI_WRAPPER_PARAMETERS_QUERY(parameters, ignoreErrors) parameters
#define MIIVI_WRAPPER_PARAMETERS_AVAILABILITY(parameters, ignoreErrors) parameters
