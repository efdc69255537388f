// The profile page, whose hidden form fields hand out the session tokens.
#pragma once

#include <cstddef>
#include <string>

#include "lookupd/tokens.h"

namespace lookupd {

// Each token stands as <input type="hidden" name="X" value="V">: the program takes the
// text between name="X" value=" and the first "> after it. With padTo, a comment at the
// end of the page makes it exactly padTo bytes long; a page about that long stays as it is.
std::string renderProfilePage(const Tokens& tokens, std::size_t padTo = 0);

}  // namespace lookupd
