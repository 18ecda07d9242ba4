#pragma once
// The one error of the dataset engine: a damaged or unreadable file, an unknown field, a
// filter that does not parse, an operation the dataset's state does not allow.

#include "platform/core/Exception.h"

class EDataSetError : public Exception {
public:
    using Exception::Exception;
};
