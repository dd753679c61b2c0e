// The plan tests run offscreen, with one application object for the data and window tests.

#include <gtest/gtest.h>

#include <QApplication>

#include "WindowDriver.h"

int main(int argc, char **argv)
{
    useOffscreenWindows();
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
