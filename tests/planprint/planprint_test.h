// Shared set-up of Planprint's tests: fresh tables and start-up settings,
// the recording platform backend, and model files written for a test.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "planprint/model_data.h"
#include "planprint/scene.h"
#include "planprint/settings.h"
#include "planprint/tile_view.h"
#include "platform/test_backend.h"
#include "tests/common/temp_folder.h"

class PlanprintTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CreateModelTables();
        ResetSettingsGlobals();
        ResetSceneGlobals();
        ResetTileViewGlobals();
        platform::SetBackend(&backend);
        folder = MakeTempFolder("planprint_test");
        ASSERT_FALSE(folder.empty()) << "no temporary folder";
    }
    void TearDown() override
    {
        platform::SetBackend(nullptr);
        DestroyModelTables();
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }

    // A file of the test's own with these bytes.
    std::string Write(const std::string& name, const std::string& bytes)
    {
        const std::string path = folder + "/" + name;
        std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
        return path;
    }

    // The one box a refused file shows, or none when message is "".
    void ExpectRefusal(const std::string& message)
    {
        const auto boxes = backend.Boxes();
        if (message.empty()) {
            EXPECT_TRUE(boxes.empty());
            return;
        }
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, message);
        EXPECT_EQ(boxes[0].flags, platform::MB_OKCANCEL | platform::MB_ICONEXCLAMATION);
        EXPECT_EQ(boxes[0].caption, "Planprint");
    }

    static std::string Example(const std::string& name) { return std::string(TF3D_SOURCE_DIR) + "/examples/" + name; }

    platform::TestBackend backend;
    std::string folder;
};
