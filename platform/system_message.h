// What Windows says of one of its error codes, as one line without a final full stop ("Access
// is denied"); "system error N" when it says nothing. Windows only.
#pragma once

#include <string>

namespace platform {

std::string SystemMessage(unsigned long code);

}  // namespace platform
