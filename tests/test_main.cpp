#include <gtest/gtest.h>

#include <clocale>

int main(int argc, char* argv[])
{
    // CTest runs some suites once per locale: make the environment's locale the program's.
    std::setlocale(LC_ALL, "");
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
