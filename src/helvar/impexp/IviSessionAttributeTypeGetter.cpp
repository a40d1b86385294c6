#include "helvar/impexp/IviSessionAttributeTypeGetter.h"

#include "helvar/impexp/EngineValueAccess.h"

namespace impexp {

AttributeType IviSessionAttributeTypeGetter::getType(ViAttr id) { return queryEngineType(wrapper_, id); }

}  // namespace impexp
