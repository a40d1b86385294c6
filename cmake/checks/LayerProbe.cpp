// Built only by the tests "component_layers.*": one header of another component, seen (or not)
// through the include roots of the component the probe links.
#include ORV_PROBE_HEADER
