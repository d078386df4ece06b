#pragma once
// The texts of the errors the component stream raises as EMervaneError.

#include "platform/MervaneError.h"

namespace StreamErrors {
inline const char* const InvalidStreamFormat = "Invalid stream format";
inline const char* const InvalidPropertyValue = "Invalid property value";
inline const char* const ClassNotFound = "Class %1 not found";
inline const char* const InvalidPropertyPath = "Invalid property path";
inline const char* const PropertyDoesNotExist = "Property does not exist";
inline const char* const ReadError = "Stream read error";
inline const char* const WriteError = "Stream write error";
inline const char* const CannotCreateFile = "Cannot create file %1";
inline const char* const CannotOpenFile = "Cannot open file %1";
inline const char* const DuplicateName = "A component named %1 already exists";
inline const char* const TooManyObjects = "A page holds at most %1 objects";
} // namespace StreamErrors
