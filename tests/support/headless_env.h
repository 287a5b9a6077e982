// A fresh headless media layer with a 1024 x 768 display for each test.
#pragma once

#include "controls/config.h"
#include "media/headless/headless.h"
#include "media/media.h"
#include "media/render_batch.h"

#include <gtest/gtest.h>

#include <vector>

class media_test : public ::testing::Test {
protected:
    void SetUp() override {
        headless_refuse_open(false);
        settings_defaults(); // whatever ran before, each test starts from the built-in settings
        ASSERT_TRUE(media_init());
        ASSERT_TRUE(display_open(1024, 768, 0, 60));
        batch_flush();
        headless_reset_stats();
    }
    void TearDown() override {
        headless_on_present(nullptr);
        media_shutdown();
    }
    // The vertices drawn since the last flush.
    static std::vector<batch_vertex> pending() {
        const render_batch& b = batch_current();
        return std::vector<batch_vertex>(b.verts, b.verts + b.count);
    }
};
