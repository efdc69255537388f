// The data file: the service's games, offline players and faults, as JSON. The format is
// described in README.md.
#pragma once

#include <string>
#include <string_view>

#include "lookupd/service_data.h"

namespace lookupd {

// On failure data is left alone and error says what is wrong and where, as in
// games[1].players[3]: missing "champion".
bool readServiceData(std::string_view json, ServiceData& data, std::string& error);

// The same for a file; error then starts with the file's name.
bool loadServiceDataFile(const std::string& path, ServiceData& data, std::string& error);

}  // namespace lookupd
