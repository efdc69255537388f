// The player file: GBK names, one per line, lines ended by CR LF.
#pragma once

#include "support/text.h"

inline constexpr char kPlayerFileName[] = ".\\playerid.txt";

// The names in file order: the content ends at its first zero byte, is split at CR LF,
// and empty lines are dropped. Names are kept byte for byte, spaces included.
TextList parsePlayerNames(const ByteString& content);
