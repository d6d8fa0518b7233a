#pragma once

#include <exception>

class Prompter;

// The box that shows a failure escaping an event handler (a text that does
// not convert, above all): the failure's text under the program's name, and
// the program goes on.
void showException(Prompter& prompter, const std::exception& error);
