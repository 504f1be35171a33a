#pragma once
// Small helpers shared by the forms tests.
#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/support/TestOutput.h"

