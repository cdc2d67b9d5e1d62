#pragma once

#include <string>

// Console output as UTF-8, so every character of a program name survives a pipe.
void Print(const std::wstring& text);
