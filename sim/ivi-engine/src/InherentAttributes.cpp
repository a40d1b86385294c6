#include "InherentAttributes.h"

namespace simivi {

namespace {

void add(Session& session, ViAttr id, const char* name, IviAttrFlags flags, Value value) {
    Attribute attribute;
    attribute.id = id;
    attribute.name = name;
    attribute.flags = flags;
    attribute.type = typeCode(value);
    attribute.defaultValue = std::move(value);
    session.add(std::move(attribute));
}

ViBoolean boolean(bool value) { return value ? VI_TRUE : VI_FALSE; }

}  // namespace

bool isErrorAttribute(ViAttr id) {
    return id == IVI_ATTR_PRIMARY_ERROR || id == IVI_ATTR_SECONDARY_ERROR || id == IVI_ATTR_ERROR_ELABORATION;
}

void addInherentAttributes(Session& session, const InherentOptions& options) {
    add(session, IVI_ATTR_RANGE_CHECK, "IVI_ATTR_RANGE_CHECK", 0, boolean(options.rangeCheck));
    add(session, IVI_ATTR_QUERY_INSTRUMENT_STATUS, "IVI_ATTR_QUERY_INSTRUMENT_STATUS", 0,
        boolean(options.queryInstrumentStatus));
    add(session, IVI_ATTR_CACHE, "IVI_ATTR_CACHE", 0, boolean(options.cache));
    add(session, IVI_ATTR_SIMULATE, "IVI_ATTR_SIMULATE", 0, boolean(options.simulate));
    add(session, IVI_ATTR_RECORD_COERCIONS, "IVI_ATTR_RECORD_COERCIONS", 0, boolean(options.recordCoercions));
    add(session, IVI_ATTR_DRIVER_SETUP, "IVI_ATTR_DRIVER_SETUP", 0, options.driverSetup);
    add(session, IVI_ATTR_INTERCHANGE_CHECK, "IVI_ATTR_INTERCHANGE_CHECK", 0, boolean(options.interchangeCheck));
    // The error attributes only mirror the pending error; their own values are never read.
    const IviAttrFlags errorFlags = IVI_VAL_NOT_WRITABLE | IVI_VAL_NEVER_CACHE;
    add(session, IVI_ATTR_PRIMARY_ERROR, "IVI_ATTR_PRIMARY_ERROR", errorFlags, ViInt32(0));
    add(session, IVI_ATTR_SECONDARY_ERROR, "IVI_ATTR_SECONDARY_ERROR", errorFlags, ViInt32(0));
    add(session, IVI_ATTR_ERROR_ELABORATION, "IVI_ATTR_ERROR_ELABORATION", errorFlags, std::string());
}

}  // namespace simivi
