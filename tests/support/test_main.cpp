#include <gtest/gtest.h>

#include "platform/core/Synchronize.h"

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    SetMainThread();
    return RUN_ALL_TESTS();
}
