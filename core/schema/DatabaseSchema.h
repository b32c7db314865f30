#pragma once
// The schema script (core/schema/DATABASE.sql), carried inside the program.
#include <string_view>

std::string_view DatabaseSchemaScript();
