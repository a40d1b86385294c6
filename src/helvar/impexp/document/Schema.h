#pragma once
// The JSON schema every imported document is validated against, carried as text. Its source is
// data/attribute-configuration.schema.json, embedded at build time.
namespace impexp {
namespace document {

// NUL-terminated schema text.
const char* attributeConfigurationSchema();

}  // namespace document
}  // namespace impexp
