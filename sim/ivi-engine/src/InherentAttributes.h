#pragma once
// The attributes every engine session has from the start: the session options and the error
// attributes that mirror the pending error.
#include "OptionString.h"
#include "Session.h"

namespace simivi {

void addInherentAttributes(Session& session, const InherentOptions& options);

bool isErrorAttribute(ViAttr id);

}  // namespace simivi
