// Fonts and image plugins need an application object; the offscreen platform
// needs no display. Including this header registers one for the test program.
#pragma once

#include <QGuiApplication>

#include <gtest/gtest.h>
#include <memory>

class GuiApplicationEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        static int argc = 1;
        static char name[] = "soravik_tests";
        static char* argv[] = {name, nullptr};
        application = std::make_unique<QGuiApplication>(argc, argv);
    }
    void TearDown() override { application.reset(); }

private:
    std::unique_ptr<QGuiApplication> application;
};

inline const auto* const guiApplicationEnvironment =
    ::testing::AddGlobalTestEnvironment(new GuiApplicationEnvironment);
