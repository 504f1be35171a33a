#include <gtest/gtest.h>

#include "platform/core/Synchronize.h"
#include "tests/support/TestSupport.h"

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    UseTestPrefix(argv[0]);
    SetMainThread();
    return RUN_ALL_TESTS();
}
