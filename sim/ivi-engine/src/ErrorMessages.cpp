#include "ErrorMessages.h"

#include <cstdio>

namespace simivi {

namespace {
struct Message {
    ViStatus code;
    const char* text;
};
const Message kMessages[] = {
    {VI_SUCCESS, "The operation completed successfully."},
    {IVI_ERROR_CANNOT_RECOVER, "Unrecoverable failure."},
    {IVI_ERROR_READING_FILE, "Error reading file."},
    {IVI_ERROR_WRITING_FILE, "Error writing file."},
    {IVI_ERROR_FUNCTION_NOT_FOUND, "A function was not found in the library."},
    {IVI_ERROR_ATTRIBUTE_NOT_SUPPORTED, "Attribute or property not supported."},
    {IVI_ERROR_ATTR_NOT_WRITABLE, "Attribute is not writable."},
    {IVI_ERROR_ATTR_NOT_READABLE, "Attribute is not readable."},
    {IVI_ERROR_INVALID_PARAMETER, "Invalid parameter."},
    {IVI_ERROR_INVALID_VALUE, "Invalid value for parameter or property."},
    {IVI_ERROR_FUNCTION_NOT_SUPPORTED, "Function or method not supported."},
    {IVI_ERROR_TYPES_DO_NOT_MATCH, "The requested type does not match the attribute's type."},
    {IVI_ERROR_UNKNOWN_CHANNEL_NAME, "Unknown channel or repeated capability name."},
    {IVI_ERROR_DUPLICATE_CHANNEL_STRING, "The channel or repeated capability list names an instance more than once."},
    {IVI_ERROR_CHANNEL_NAME_REQUIRED, "The attribute is channel-based: a channel name is required."},
    {IVI_ERROR_CHANNEL_NAME_NOT_ALLOWED, "The attribute is not channel-based: no channel name is allowed."},
    {IVI_ERROR_INVALID_ATTRIBUTE_FOR_CHANNEL, "The attribute is not valid for the channel or repeated capability."},
    {IVI_ERROR_ATTRIBUTE_ALREADY_EXISTS, "An attribute with this id already exists in the session."},
    {IVI_ERROR_SESSION_NOT_LOCKED, "The calling thread does not hold the session lock."},
    {IVI_ERROR_UNKNOWN_REPEATED_CAPABILITY, "Unknown repeated capability."},
    {IVI_ERROR_BAD_CHANNEL_NAME, "Bad channel or repeated capability name in the list."},
    {IVI_ERROR_OUT_OF_MEMORY, "The necessary memory could not be allocated."},
    {IVI_ERROR_NULL_POINTER, "Null pointer passed for parameter or property."},
    {IVI_ERROR_INVALID_SESSION_HANDLE, "The session handle is not valid."},
    {VI_ERROR_PARAMETER1, "Parameter 1 is invalid."},
    {VI_ERROR_PARAMETER1 + 1, "Parameter 2 is invalid."},
    {VI_ERROR_PARAMETER1 + 2, "Parameter 3 is invalid."},
    {VI_ERROR_PARAMETER1 + 3, "Parameter 4 is invalid."},
    {VI_ERROR_PARAMETER1 + 4, "Parameter 5 is invalid."},
    {VI_ERROR_PARAMETER1 + 5, "Parameter 6 is invalid."},
    {VI_ERROR_PARAMETER1 + 6, "Parameter 7 is invalid."},
    {VI_ERROR_PARAMETER8, "Parameter 8 is invalid."},
    {IVI_WARN_NSUP_ID_QUERY, "Identification query not supported."},
    {IVI_WARN_NSUP_RESET, "Reset not supported."},
};
}  // namespace

const char* errorMessage(ViStatus code) {
    for (const Message& message : kMessages)
        if (message.code == code) return message.text;
    return nullptr;
}

std::string messageText(ViStatus code) {
    if (const char* text = errorMessage(code)) return text;
    char line[64];
    std::snprintf(line, sizeof line, "Unknown status code (0x%08X).", static_cast<unsigned>(code));
    return line;
}

}  // namespace simivi
