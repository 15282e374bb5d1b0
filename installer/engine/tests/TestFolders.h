#pragma once

#include <tests/support/TestProgram.h>

#include <string>

// The build's program folder, where the engine, its helper and the libraries are made.
inline std::string ProgramsFolder() { return testsupport::testProgramFolder() + "..\\..\\..\\bin"; }
