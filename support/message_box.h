// The program's modal message box, owned by no window.
#pragma once

#include "support/text.h"

// Shows text with the platform's button set and title; returns the pressed button's
// code minus 1.
int showMessage(const Text& text, unsigned buttons = 0, const Text& title = "信息");
