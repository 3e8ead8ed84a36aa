#pragma once

#include <string>

// Hands a file path or web address to the desktop, which opens it with the program associated
// with it. True when the desktop's opener was started; it does not wait for the opened program.
bool ShellOpen(const std::string& target);
