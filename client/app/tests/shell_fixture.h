#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "client/app/tests/pipe_client.h"
#include "client/app/unit1.h"
#include "client/app/unit2.h"
#include "client/app/unit3.h"
#include "client/core/settings/client_config_file.h"
#include "framework/application/application.h"
#include "framework/application/message_box.h"
#include "framework/tests/qt_test_app.h"
#include "framework/tray/tray_recorder.h"

namespace dlk::client::shell_testing {

using dlk::testing::EnsureApplication;
using dlk::testing::WaitUntil;

// A main window in a folder of its own, with its own socket names, a
// recording tray and answered message boxes.
class ShellTest : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureApplication();
        Application().Reset();
        Application().Title = "ДЛК-клиент";
        char pattern[] = "/tmp/dlk_shell_XXXXXX";
        folder_ = ::mkdtemp(pattern);
        static int counter = 0;
        const std::string unique = std::to_string(::getpid()) + "_" + std::to_string(++counter);
        env_.Folder = folder_;
        env_.LocalNames.PipeName = "dlk_shell_pipe_" + unique;
        env_.LocalNames.PortLink = (folder_ / "CNCB0").string();
        env_.Tray = &tray_;
        env_.CursorPos = [] { return TPoint{100, 100}; };
        env_.SettingsDialog = OpenSettingsDialog;
        env_.PropertiesDialog = OpenModemProperties;
        settings_.LocalPort = FreeUdpPort();
        SetMessageBoxAnswerer([this](const MessageBoxRequest& r) {
            boxes_.push_back(r);
            return answer_;
        });
    }
    void TearDown() override {
        form_.reset();
        SetMessageBoxAnswerer(nullptr);
        Application().Reset();
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    TForm1& Start() {
        ClientConfig config = DefaultClientConfig(1024, 768, 0);
        config.Link = settings_;
        std::string error;
        EXPECT_TRUE(SaveClientConfig(folder_ / kClientConfigFileName, config, &error)) << error;
        form_ = std::make_unique<TForm1>(nullptr, env_);
        return *form_;
    }
    std::vector<std::string> BoxTexts() const {
        std::vector<std::string> texts;
        for (const auto& b : boxes_) texts.push_back(b.Text);
        return texts;
    }

    std::filesystem::path folder_;
    ShellEnvironment env_;
    TrayRecorder tray_;
    LinkSettings settings_;
    std::vector<MessageBoxRequest> boxes_;
    int answer_ = IDYES;
    std::unique_ptr<TForm1> form_;
};

}  // namespace dlk::client::shell_testing
