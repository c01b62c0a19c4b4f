#pragma once

// Version banner and self test of the support library "Tarvexc".

#include <cstdio>

// Writes "Tarvex " with the toolkit's version and a line break.
void print_version(std::FILE* out = stdout);

// Writes "Tarvexc-SelfTest", an empty line and one line per basic type with
// its size in bytes on this platform.
void self_test(std::FILE* out = stdout);
