#pragma once
// What the clinic core asks of the application object, in one place.
#include <functional>
#include <string>

// The application's title (the program file's name without extension until the entry sets one).
std::string ApplicationTitle();

// Shows a message box (MB_ flags); returns the button pressed.
int ShowCoreMessage(const std::string& Text, const std::string& Caption, unsigned Flags);

// Test hook: when set, messages are handed to it instead of being shown.
using TCoreMessageHook = std::function<int(const std::string& Text, const std::string& Caption, unsigned Flags)>;
void SetCoreMessageHook(TCoreMessageHook Hook);
