#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "ProjectFiles.h"
#include "RecordingDialog.h"
#include "model/DataClass.h"
#include "model/ProjectWriter.h"

namespace kyr {
namespace {

// Inputs the fuzz target once failed on (data/fuzz-*.kyr): what opens must save, open again
// and save to the same bytes.
TEST(FuzzRegression, SavedProjectsOpenAgainUnchanged) {
    int inputs = 0;
    for (const auto& entry : std::filesystem::directory_iterator(KYR_TEST_DATA_DIR)) {
        const std::string name = entry.path().filename().string();
        if (!name.starts_with("fuzz-")) continue;
        ++inputs;
        test::RecordingDialog dialog;
        auto first = test::ReadText(test::ReadBytes(entry.path().string()));
        if (first->LoadFailed()) continue;
        first->SetDescription(SavedDescription(first->Description()));
        const std::string saved = ProjectFileText(*first);
        auto again = test::ReadText(saved);
        ASSERT_FALSE(again->LoadFailed()) << name;
        again->SetDescription(SavedDescription(again->Description()));
        EXPECT_EQ(ProjectFileText(*again), saved) << name;
    }
    EXPECT_GT(inputs, 0);
}

}  // namespace
}  // namespace kyr
